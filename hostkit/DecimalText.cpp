#include "hostkit/DecimalText.h"

#include <charconv>

std::string DecimalText(double value, int decimals) {
    // Room for the widest double in fixed notation: 309 digits, a sign and a point, and decimals.
    std::string text(320 + decimals, '\0');
    const std::to_chars_result written =
        std::to_chars(&text[0], &text[0] + text.size(), value, std::chars_format::fixed, decimals);
    text.resize(written.ptr - text.data());
    return text;
}

bool ReadDecimal(std::string_view text, double& value) {
    const char* first = text.data();
    const char* const last = first + text.size();
    // std::from_chars takes no plus sign; one before a minus sign stays refused.
    if (first != last && *first == '+' && (last - first == 1 || first[1] != '-')) {
        ++first;
    }
    const std::from_chars_result read = std::from_chars(first, last, value);
    return read.ec == std::errc() && read.ptr == last;
}
