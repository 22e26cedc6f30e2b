#include <doctest/doctest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "statements/StatementDate.h"

namespace {

// The platform's date for a broken-down day at midnight, 0.0 when it builds none.
DATE PlatformDate(int year, int month, int day) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    DATE date = 0.0;
    return SystemTimeToVariantTime(&time, &date) ? date : 0.0;
}

DATE DateOf(const std::string& field) {
    return ConvertStatementDate(CString(field.c_str()));
}

std::string Field(int year, int dayOfYear) {
    char field[16];
    std::snprintf(field, sizeof field, " %02d%03d", year, dayOfYear);
    return field;
}

} // namespace

TEST_CASE("every day of the years 1930 to 2029 is the platform's date") {
    for (int year = 0; year < 100; ++year) {
        const int fullYear = year < 30 ? 2000 + year : 1900 + year;
        const int yearLength = year % 4 == 0 ? 366 : 365;
        const DATE firstDay = PlatformDate(fullYear, 1, 1);
        CAPTURE(fullYear);
        REQUIRE(firstDay > 0.0);
        for (int day = 1; day <= yearLength; ++day) {
            CAPTURE(day);
            const DATE date = DateOf(Field(year, day));
            REQUIRE(date == firstDay + day - 1);
        }
        CHECK(DateOf(Field(year, yearLength)) == PlatformDate(fullYear, 12, 31));
        // The day after the last one has no month: the platform decides, as before.
        CHECK(DateOf(Field(year, yearLength + 1)) == PlatformDate(fullYear, 0, 0));
    }
}

TEST_CASE("days outside the year and years outside the window are left to the platform") {
    CHECK(DateOf(" 12000") == PlatformDate(2012, 1, 0));
    CHECK(DateOf(" 11366") == PlatformDate(2011, 0, 0));
    CHECK(DateOf(" 12999") == PlatformDate(2012, 0, 0));
    CHECK(DateOf("-01001") == PlatformDate(static_cast<WORD>(-1), 1, 1));
    CHECK(DateOf("123001") == PlatformDate(123, 1, 1));
    CHECK(DateOf("ABCDEF") == PlatformDate(2000, 1, 0));
    // A year read as by atoi: blanks before a single digit.
    CHECK(DateOf("  5060") == PlatformDate(2005, 3, 1));
    CHECK(DateOf("  5060") == DateOf(" 05060"));
}
