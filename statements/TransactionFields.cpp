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

namespace {

// Behind the next count characters, or at the end of the line when fewer are left.
char* FieldEndOf(char* next, char* end, int count) {
    if (count <= 0) {
        return next;
    }
    return count < end - next ? next + count : end;
}

} // namespace

class FieldCutter::FieldEnd {
public:
    FieldEnd(char*& next, char* end, int count)
        : next_(next), end_(FieldEndOf(next, end, count)), saved_(*end_) {
        *end_ = '\0';
    }
    ~FieldEnd() {
        *end_ = saved_;
        next_ = end_;
    }
    FieldEnd(const FieldEnd&) = delete;
    FieldEnd& operator=(const FieldEnd&) = delete;

    const char* Text() const { return next_; }

private:
    char*& next_;
    char* end_;
    char saved_;
};

FieldCutter::FieldCutter(char* line, int length) : next_(line), end_(line + length) {}

void FieldCutter::TakeField(int count, CString& field) {
    FieldEnd text(next_, end_, count);
    field.Assign(text.Text());
}

long long FieldCutter::TakeInteger(int count) {
    FieldEnd text(next_, end_, count);
    return ReadFieldInteger(text.Text());
}

void FieldCutter::Skip(int count) {
    FieldEnd text(next_, end_, count);
}
