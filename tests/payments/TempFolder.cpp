#include "payments/TempFolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder(const std::string& parent) {
    static int created = 0;
    std::string base = parent;
    if (base.empty()) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        base = temp;
    }
    if (base.back() == '\\') {
        base.pop_back();
    }
    path_ = base + "\\corvane-payments-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++created);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Name() const {
    return path_.substr(path_.rfind('\\') + 1);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}
