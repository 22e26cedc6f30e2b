#include "payments/QuotedLine.h"

#include <cstring>

#include "platform/Platform.h"

void QuotedLine::Put(const char* text, std::size_t length) {
    if (length > Capacity - length_) {
        throw static_cast<long>(E_UNEXPECTED);
    }
    std::memcpy(line_ + length_, text, length);
    length_ += length;
}

void QuotedLine::OpenField() {
    if (length_ == 0) {
        Put("\"", 1);
    } else {
        Put(",\"", 2);
    }
}

void QuotedLine::Add(const char* text) {
    Add(text, std::strlen(text));
}

void QuotedLine::Add(const char* text, std::size_t length) {
    OpenField();
    Put(text, length);
    CloseField();
}

void QuotedLine::Add(const FieldText& first, const FieldText& second) {
    OpenField();
    Put(first.Text(), static_cast<std::size_t>(first.Length()));
    Put(second.Text(), static_cast<std::size_t>(second.Length()));
    CloseField();
}

void QuotedLine::WriteTo(std::FILE* file) {
    Put("\n", 1);
    std::fwrite(line_, 1, length_, file);
}
