#pragma once
// Shows wide texts (and missing ones) in test failure messages.
#include <doctest/doctest.h>

#include <optional>
#include <string>

inline doctest::String ShowWide(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) {
        narrow += c < 128 ? static_cast<char>(c) : '?';
    }
    return ("L\"" + narrow + "\"").c_str();
}

namespace doctest {
template <> struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text) { return ShowWide(text); }
};
template <> struct StringMaker<std::optional<std::wstring>> {
    static String convert(const std::optional<std::wstring>& text) {
        return text ? ShowWide(*text) : String("(missing)");
    }
};
} // namespace doctest
