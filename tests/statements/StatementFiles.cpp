#include "statements/StatementFiles.h"

#include <windows.h>

#include <fstream>
#include <stdexcept>

namespace {

std::string Fit(const std::string& text, size_t width) {
    std::string fitted = text.substr(0, width);
    fitted.resize(width, ' ');
    return fitted;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

std::string TransactionLine(const TransactionLineFields& fields) {
    return Fit(fields.sortCode, 6) + Fit(fields.accountNumber, 8) + Fit(fields.accountType, 1) +
           Fit(fields.transactionCode, 2) + Fit(fields.originatorSortCode, 6) +
           Fit(fields.originatorAccountNumber, 8) + Fit(fields.unused, 4) +
           Fit(fields.amountInPence, 11) + Fit(fields.reference, 18) + Fit(fields.narrative1, 18) +
           Fit(fields.narrative2, 18) + Fit(fields.date, 6);
}

std::string LabelLine(const std::string& identifier, int length) {
    std::string line = identifier;
    line.resize(static_cast<size_t>(length), 'x');
    return line;
}

std::string VolumeHeaderLine(int length, int markPosition) {
    std::string line = LabelLine("VOL", length > markPosition + 5 ? length : markPosition + 5);
    line.replace(static_cast<size_t>(markPosition - 1), 6, "992087");
    return line.substr(0, static_cast<size_t>(length));
}

std::vector<std::string> HeaderLines() {
    return {VolumeHeaderLine(), LabelLine("HDR", 73), LabelLine("HDR", 80), LabelLine("UHL", 80)};
}

std::string TrailerLine() {
    return LabelLine("UTL", 80);
}

TemporaryFolder::TemporaryFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        path_ = std::string(base) + "statements-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create the temporary folder " + path_);
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    RemoveTree(path_);
}

std::string TemporaryFolder::WriteLines(const std::string& name,
                                        const std::vector<std::string>& lines,
                                        const std::string& lineEnd) const {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + lineEnd;
    }
    return WriteBytes(name, bytes);
}

std::string TemporaryFolder::WriteBytes(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "\\" + name;
    std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}
