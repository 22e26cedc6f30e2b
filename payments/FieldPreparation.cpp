#include "payments/FieldPreparation.h"

#include <charconv>
#include <cmath>

namespace {

constexpr wchar_t HighestNarrowCharacter = 0x00FF;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsKeptSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool EndsQuotedField(char c) {
    return c == '"' || c == '\r' || c == '\n';
}

template <typename Keep> FieldText Filtered(const FieldText& text, Keep keep) {
    FieldText result;
    for (int i = 0; i < text.Length(); ++i) {
        if (keep(text[i])) {
            result.Append(text[i]);
        }
    }
    return result;
}

} // namespace

FieldText NarrowText(const wchar_t* host) {
    FieldText result;
    if (host == nullptr) {
        return result;
    }
    for (; *host != L'\0' && result.Length() < FieldText::Capacity; ++host) {
        if (*host <= HighestNarrowCharacter) {
            result.Append(static_cast<char>(*host));
        }
    }
    return result;
}

bool IsNarrowable(const wchar_t* host) {
    if (host == nullptr) {
        return true;
    }
    for (; *host != L'\0'; ++host) {
        if (*host > HighestNarrowCharacter) {
            return false;
        }
    }
    return true;
}

FieldText DigitsOnlyText(const wchar_t* host) {
    return Filtered(NarrowText(host), IsDigit);
}

FieldText StripQuotes(const FieldText& text) {
    const int length = text.Length();
    if (length < 2 || text[0] != '"' || text[length - 1] != '"') {
        return text;
    }
    FieldText inner;
    for (int i = 1; i < length - 1; ++i) {
        inner.Append(text[i]);
    }
    return inner;
}

FieldText CleanText(const FieldText& text) {
    return Filtered(text, [](char c) { return IsLetter(c) || IsDigit(c) || IsKeptSpace(c); });
}

bool BreaksQuotedField(const FieldText& text) {
    for (int i = 0; i < text.Length(); ++i) {
        if (EndsQuotedField(text[i])) {
            return true;
        }
    }
    return false;
}

FieldText QuotedFieldSafe(const FieldText& text) {
    return Filtered(text, [](char c) { return !EndsQuotedField(c); });
}

FieldText ZeroPad(const FieldText& text, int width) {
    FieldText padded;
    for (int i = text.Length(); i < width; ++i) {
        padded.Append('0');
    }
    for (int i = 0; i < text.Length(); ++i) {
        padded.Append(text[i]);
    }
    return padded;
}

std::string AmountText(double amount) {
    // The text printf gives in the C locale, whatever locale the process has: std::to_chars
    // writes a point always. Only printf's "nan" for a NaN of either sign needs saying.
    if (std::isnan(amount)) {
        return "nan";
    }
    // Room for the widest double in fixed notation: 309 digits, sign, point and two decimals.
    char text[320];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, 2);
    return std::string(text, written.ptr);
}
