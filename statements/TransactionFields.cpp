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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

long long ReadFieldInteger(const char* field, int count) {
    const char* next = field;
    const char* const end = field + count;
    while (next < end && IsWhiteSpace(*next)) {
        ++next;
    }
    const bool negative = next < end && *next == '-';
    if (next < end && (*next == '-' || *next == '+')) {
        ++next;
    }
    // 18 digits always fit; no field is that wide, and longer runs are not read further. The
    // first nine are gathered in 32 bits, which is quicker on this 32-bit platform.
    constexpr int MostDigits = 18;
    constexpr int MostShortDigits = 9;
    int digits = 0;
    long shortValue = 0;
    for (; digits < MostShortDigits && next < end && IsDigit(*next); ++digits, ++next) {
        shortValue = shortValue * 10 + (*next - '0');
    }
    long long value = shortValue;
    for (; digits < MostDigits && next < end && IsDigit(*next); ++digits, ++next) {
        value = value * 10 + (*next - '0');
    }
    return negative ? -value : value;
}
