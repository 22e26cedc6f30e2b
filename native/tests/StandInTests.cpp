// The platform layer's stand-ins of the native build, against the day arithmetic of the tests.
#include <string>
#include <doctest/doctest.h>

#include "CivilDays.h"
#include "platform/CodePage.h"
#include "platform/VariantTime.h"

TEST_CASE("every day from 1601 to 2400 converts both ways, weekday included") {
    for (int day = DayNumber(1601, 1, 1); day <= DayNumber(2400, 12, 31); ++day) {
        const CivilDate civil = CivilDateOf(day);
        SYSTEMTIME parts{};
        parts.wYear = static_cast<WORD>(civil.year);
        parts.wMonth = static_cast<WORD>(civil.month);
        parts.wDay = static_cast<WORD>(civil.day);
        parts.wHour = 18;
        DATE date = 0;
        REQUIRE(DateFromParts(parts, date));
        const DATE expected = day >= 0 ? day + 0.75 : day - 0.75;
        REQUIRE(date == expected);
        SYSTEMTIME back{};
        REQUIRE(PartsFromDate(date, back));
        REQUIRE(back.wYear == civil.year);
        REQUIRE(back.wMonth == civil.month);
        REQUIRE(back.wDay == civil.day);
        REQUIRE(back.wDayOfWeek == DayOfWeek(day));
        REQUIRE(back.wHour == 18);
    }
}

TEST_CASE("wide text narrows to Latin-1, anything beyond to '?'") {
    char narrow[8] = {};
    CHECK(WideToNarrow(L"Zo\u00eb\u20ac\u4e2d", nullptr, 0) == 6);
    CHECK(WideToNarrow(L"Zo\u00eb\u20ac\u4e2d", narrow, 5) == 0);
    CHECK(WideToNarrow(L"Zo\u00eb\u20ac\u4e2d", narrow, 6) == 6);
    CHECK(std::string(narrow) == "Zo\xeb??");
}
