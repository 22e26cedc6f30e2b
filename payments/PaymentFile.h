#pragma once
// An open payment file (runtime library stream), closed on every path.
#include <cstdio>

class PaymentFile {
public:
    PaymentFile() = default;
    // Opens the path (ANSI text) with an fopen mode; an empty PaymentFile when that fails.
    static PaymentFile Open(const char* path, const char* mode);
    ~PaymentFile();
    PaymentFile(const PaymentFile&) = delete;
    PaymentFile& operator=(const PaymentFile&) = delete;
    PaymentFile(PaymentFile&& other) noexcept;
    PaymentFile& operator=(PaymentFile&& other) noexcept;

    std::FILE* Get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }

    // True once a write to the file has failed (for example on a full disk).
    bool WriteFailed() const;
    // Flushes and closes the file; false when anything written could not be stored.
    bool Close();

private:
    std::FILE* file_ = nullptr;
};
