// The native build's stand-ins against the Windows calls they stand in for, on the cases both
// handle.
#include <doctest/doctest.h>

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "platform/Latin1Text.h"
#include "platform/OleDate.h"

namespace {

std::string Converted(int (*convert)(const wchar_t*, char*, int), const wchar_t* text) {
    const int size = convert(text, nullptr, 0);
    std::vector<char> target(static_cast<size_t>(size > 0 ? size : 1));
    const int written = convert(text, target.data(), size);
    return written > 0 ? std::string(target.data(), static_cast<size_t>(written - 1)) : "";
}

int CodePageConversion(const wchar_t* text, char* target, int size) {
    return WideCharToMultiByte(CP_ACP, 0, text, -1, target, size, nullptr, nullptr);
}

SYSTEMTIME Parts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(day);
    parts.wHour = static_cast<WORD>(hour);
    parts.wMinute = static_cast<WORD>(minute);
    parts.wSecond = static_cast<WORD>(second);
    return parts;
}

} // namespace

TEST_CASE("the Latin-1 stand-in converts as the ANSI code page 1252") {
    REQUIRE(GetACP() == 1252);
    std::wstring shared;
    for (wchar_t c = 1; c < 0x80; ++c) {
        shared += c;
    }
    for (wchar_t c = 0xA0; c <= 0xFF; ++c) {
        shared += c;
    }
    const std::wstring texts[] = {L"", L"Z\u00f6e M\u00fcller", shared, L"\u4e2d\u6587 text"};
    for (const std::wstring& text : texts) {
        CHECK(Converted(Latin1FromWide, text.c_str()) ==
              Converted(CodePageConversion, text.c_str()));
    }
    char small[2] = {'x', 'x'};
    CHECK(Latin1FromWide(L"abc", small, 2) == CodePageConversion(L"abc", small, 2));
}

TEST_CASE("the calendar stand-ins give the dates of SystemTimeToVariantTime") {
    const SYSTEMTIME cases[] = {Parts(100, 1, 1),
                                Parts(1582, 10, 15),
                                Parts(1899, 12, 29, 6),
                                Parts(1899, 12, 30),
                                Parts(1900, 2, 28),
                                Parts(1900, 3, 1),
                                Parts(2000, 2, 29, 23, 59, 59),
                                Parts(2024, 12, 31, 12, 30),
                                Parts(9999, 12, 31, 23, 59, 59)};
    for (const SYSTEMTIME& parts : cases) {
        INFO(parts.wYear, "-", parts.wMonth, "-", parts.wDay, " ", parts.wHour);
        SYSTEMTIME copy = parts;
        DATE expected = 0;
        REQUIRE(SystemTimeToVariantTime(&copy, &expected));
        DATE date = 0;
        REQUIRE(OleDateFromParts(parts, date));
        CHECK(date == doctest::Approx(expected).epsilon(1e-12));

        SYSTEMTIME real{};
        SYSTEMTIME standIn{};
        REQUIRE(VariantTimeToSystemTime(expected, &real));
        REQUIRE(OleDatePartsOf(expected, standIn));
        CHECK(standIn.wYear == real.wYear);
        CHECK(standIn.wMonth == real.wMonth);
        CHECK(standIn.wDay == real.wDay);
        CHECK(standIn.wDayOfWeek == real.wDayOfWeek);
        CHECK(standIn.wHour == real.wHour);
        CHECK(standIn.wMinute == real.wMinute);
        CHECK(standIn.wSecond == real.wSecond);
    }
}

TEST_CASE("the calendar stand-ins fail where the platform's conversions fail") {
    const SYSTEMTIME cases[] = {Parts(2024, 13, 1), Parts(2024, 1, 32), Parts(10000, 1, 1)};
    for (const SYSTEMTIME& parts : cases) {
        INFO(parts.wYear, "-", parts.wMonth, "-", parts.wDay);
        SYSTEMTIME copy = parts;
        DATE real = 0;
        DATE standIn = 0;
        CHECK_FALSE(SystemTimeToVariantTime(&copy, &real));
        CHECK_FALSE(OleDateFromParts(parts, standIn));
    }
    SYSTEMTIME parts{};
    for (const DATE date : {-657435.0, 2958466.0}) {
        CHECK_FALSE(VariantTimeToSystemTime(date, &parts));
        CHECK_FALSE(OleDatePartsOf(date, parts));
    }
}
