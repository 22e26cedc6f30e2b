#include <doctest/doctest.h>

#include "CivilDays.h"
#include "HolidayOracle.h"
#include "calendar/BankingDays.h"

TEST_CASE("Easter Sunday of known years") {
    CHECK(GetEasterSunday(2008) == Day(2008, 3, 23));
    CHECK(GetEasterSunday(2011) == Day(2011, 4, 24));
    CHECK(GetEasterSunday(2024) == Day(2024, 3, 31));
    CHECK(GetEasterSunday(2025) == Day(2025, 4, 20));
    CHECK(GetEasterSunday(2038) == Day(2038, 4, 25));
    // The earliest and latest possible dates, and the two exceptions of the epact rule.
    CHECK(GetEasterSunday(1818) == Day(1818, 3, 22));
    CHECK(GetEasterSunday(2285) == Day(2285, 3, 22));
    CHECK(GetEasterSunday(1943) == Day(1943, 4, 25));
    CHECK(GetEasterSunday(1981) == Day(1981, 4, 19));
    CHECK(GetEasterSunday(1954) == Day(1954, 4, 18));
}

TEST_CASE("Easter Sunday agrees with a second computation for every Gregorian year") {
    int disagreements = 0;
    for (int year = 1583; year <= 9999; ++year) {
        const DATE easter = GetEasterSunday(year);
        if (easter != OracleEasterSunday(year)) {
            ++disagreements;
            CHECK_MESSAGE(easter == OracleEasterSunday(year), "year ", year);
        }
        if (disagreements > 5) {
            break;
        }
    }
    CHECK(disagreements == 0);
}
