#include "statements/TransactionFields.h"

#include <cstring>

CString TakeField(CString& line, int count) {
    const int length = line.Length();
    const int taken = count < length ? count : length;
    CString field = line.Head(taken);
    // The rest moves to the front of the line's own buffer.
    line.Assign(line.Text() + taken);
    return field;
}

bool IsUserTrailerLabel(const char* line) {
    return std::strncmp(line, "UTL", 3) == 0;
}

namespace {

// White space as atoi skips it in the C locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

long long ReadFieldInteger(const char* field) {
    const char* next = field;
    while (IsWhiteSpace(*next)) {
        ++next;
    }
    const bool negative = *next == '-';
    if (*next == '-' || *next == '+') {
        ++next;
    }
    // 18 digits always fit; no field is that wide, and longer runs are not read further.
    constexpr int MostDigits = 18;
    long long value = 0;
    for (int digits = 0; digits < MostDigits && *next >= '0' && *next <= '9'; ++digits) {
        value = value * 10 + (*next - '0');
        ++next;
    }
    return negative ? -value : value;
}

FieldCutter::FieldCutter(const char* line, int length) : next_(line), end_(line + length) {}

int FieldCutter::Advance(int count, const char*& field) {
    field = next_;
    const int left = static_cast<int>(end_ - next_);
    const int taken = count <= 0 ? 0 : (count < left ? count : left);
    next_ += taken;
    return taken;
}

void FieldCutter::TakeField(int count, CString& field) {
    const char* text = nullptr;
    const int taken = Advance(count, text);
    field.Assign(text, taken);
}

long long FieldCutter::TakeInteger(int count) {
    const char* text = nullptr;
    int taken = Advance(count, text);
    char digits[IntegerFieldLimit + 1];
    if (taken > IntegerFieldLimit) {
        taken = IntegerFieldLimit;
    }
    std::memcpy(digits, text, static_cast<size_t>(taken));
    digits[taken] = '\0';
    return ReadFieldInteger(digits);
}

void FieldCutter::Skip(int count) {
    const char* text = nullptr;
    Advance(count, text);
}
