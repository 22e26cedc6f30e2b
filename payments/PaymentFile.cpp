#include "payments/PaymentFile.h"

#include <utility>

#include "platform/CodePage.h"

PaymentFile PaymentFile::Open(const char* path, const char* mode) {
    // Paths are ANSI text; the wide call opens them as such, where fopen would read them in the
    // OEM code page once a host has switched the process's file calls to it (SetFileApisToOEM).
    PaymentFile opened;
    opened.file_ = _wfopen(NarrowToWide(path).c_str(), NarrowToWide(mode).c_str());
    return opened;
}

PaymentFile::~PaymentFile() {
    Close();
}

PaymentFile::PaymentFile(PaymentFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)) {}

PaymentFile& PaymentFile::operator=(PaymentFile&& other) noexcept {
    std::swap(file_, other.file_);
    return *this;
}

bool PaymentFile::WriteFailed() const {
    return file_ != nullptr && std::ferror(file_) != 0;
}

bool PaymentFile::Close() {
    if (file_ == nullptr) {
        return true;
    }
    // Flushed here, not left to fclose: some runtimes (Wine's msvcrt among them) drop the
    // result of the flush that fclose performs.
    const bool flushed = std::fflush(file_) == 0;
    const bool allWritten = flushed && std::ferror(file_) == 0;
    const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
    return allWritten && closed;
}
