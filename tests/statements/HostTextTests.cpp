#include <doctest/doctest.h>

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "statements/HostText.h"

namespace {

constexpr UINT ShiftJis = 932;
constexpr UINT Western = 1252;
constexpr UINT Utf8 = 65001;

// The platform's conversion of the whole text.
std::wstring Converted(UINT codePage, const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::wstring Held(BSTR text) {
    REQUIRE(text != nullptr);
    return std::wstring(text, SysStringLen(text));
}

std::string EveryByte() {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

} // namespace

TEST_CASE("the table holds the bytes that a code page converts one at a time") {
    for (UINT codePage : {static_cast<UINT>(CP_ACP), Western, ShiftJis, Utf8}) {
        CAPTURE(codePage);
        const CodePageCharacters characters(codePage);
        CHECK(characters.Of('\0') == L'\0');
        for (int byte = 1; byte < 256; ++byte) {
            CAPTURE(byte);
            const wchar_t character = characters.Of(static_cast<char>(byte));
            if (byte < 0x80) {
                CHECK(character == Converted(codePage, std::string(1, static_cast<char>(byte)))[0]);
            } else if (codePage == ShiftJis || codePage == Utf8) {
                // These bytes may be part of a character of several bytes.
                CHECK(character == L'\0');
            } else if (character != L'\0') {
                CHECK(std::wstring(1, character) ==
                      Converted(codePage, std::string(1, static_cast<char>(byte))));
            }
        }
    }
}

TEST_CASE("texts for the host convert exactly as the code page converts them") {
    const std::vector<std::string> texts = {
        "REF12345          ", "", "PAYMENT 12         ", EveryByte(), "caf\xe9 \x80", "A",
        // Shift-JIS: a character of two bytes, and a first byte left alone at the end.
        "\x82\xa0"
        "ABC",
        "AB\x82",
        "\x82\xa0"
        "ABC"};
    for (UINT codePage : {static_cast<UINT>(CP_ACP), Western, ShiftJis, Utf8}) {
        CAPTURE(codePage);
        const CodePageCharacters characters(codePage);
        HostTextBuffer buffer(characters);
        for (const std::string& text : texts) {
            CAPTURE(text);
            CHECK(Held(buffer.Hold(CString(text.c_str()))) == Converted(codePage, text));
        }
    }
}

TEST_CASE("texts of the same length are converted into the same BSTR") {
    const CodePageCharacters characters(Western);
    HostTextBuffer buffer(characters);
    const BSTR first = buffer.Hold(CString("ABC"));
    const BSTR second = buffer.Hold(CString("DEF"));
    CHECK(second == first);
    CHECK(Held(second) == L"DEF");
    CHECK(Held(buffer.Hold(CString("ABCD"))) == L"ABCD");
    CHECK(Held(buffer.Hold(CString("AB"))) == L"AB");
    CHECK(Held(buffer.Hold(CString(""))) == L"");
}

TEST_CASE("parts are converted as the text they make together") {
    SUBCASE("single bytes") {
        const CodePageCharacters characters(Western);
        HostTextBuffer buffer(characters);
        const char* parts[] = {"FIRST ", " ", "SECOND\xe9"};
        CHECK(Held(buffer.Hold(parts, 3)) == L"FIRST  SECOND\u00e9");
        CHECK(Held(buffer.Hold(parts, 1)) == L"FIRST ");
        CHECK(Held(buffer.Hold(parts, 0)) == L"");
        const char* sameLength[] = {"first ", " ", "second\xe8"};
        CHECK(Held(buffer.Hold(sameLength, 3)) == L"first  second\u00e8");
    }
    SUBCASE("a character of two bytes split between parts") {
        const CodePageCharacters characters(ShiftJis);
        HostTextBuffer buffer(characters);
        const char* parts[] = {"A\x82", "\xa0"
                                        "B"};
        CHECK(Held(buffer.Hold(parts, 2)) == Converted(ShiftJis, "A\x82\xa0"
                                                                 "B"));
        CHECK(Held(buffer.Hold(parts, 2)) == L"A\u3042B");
    }
}
