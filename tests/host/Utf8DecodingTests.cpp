// The native build's UTF-8 decoder against the platform's conversion it stands in for.
#include <doctest/doctest.h>

#include <windows.h>

#include <string>

#include "hostkit/Utf8Decoding.h"

namespace {

// The platform's units, or false when it refuses the bytes.
bool PlatformUnits(const std::string& text, std::wstring& units) {
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0) {
        return false;
    }
    units.assign(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, units.data(), length);
    return true;
}

} // namespace

TEST_CASE("the UTF-8 decoder accepts and refuses what the platform does") {
    const std::string texts[] = {"plain",
                                 "Zo\xc3\xab M\xc3\xbcller",
                                 "\xe2\x82\xac 12",
                                 "\xf0\x9f\x98\x80 smile",
                                 "\xf4\x8f\xbf\xbf",
                                 "cut \xc3",
                                 "\xe2\x82",
                                 "stray \x80",
                                 "\xc0\xaf overlong",
                                 "\xe0\x80\xaf",
                                 "\xed\xa0\x80 surrogate",
                                 "\xf4\x90\x80\x80 beyond",
                                 "\xff",
                                 "\xc3\x28",
                                 std::string("nul\0inside", 10)};
    for (const std::string& text : texts) {
        INFO(text);
        std::wstring expected;
        std::wstring units = L"kept";
        const bool accepted = PlatformUnits(text, expected);
        CHECK(DecodeUtf8(text, units) == accepted);
        CHECK(units == (accepted ? expected : L"kept"));
    }
}
