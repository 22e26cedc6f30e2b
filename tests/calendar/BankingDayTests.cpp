#include <doctest/doctest.h>

#include "CivilDays.h"
#include "HolidayOracle.h"
#include "calendar/BankingDays.h"

namespace {

struct DayCase {
    int year;
    int month;
    int day;
    bool banking;
    NonBankingReason reason;
    int daysToNext;
};

void CheckDay(const DayCase& expected, double timeOfDay) {
    int daysToNext = -1;
    NonBankingReason reason = static_cast<NonBankingReason>(-1);
    const bool banking = CheckBankingDay(
        Day(expected.year, expected.month, expected.day) + timeOfDay, daysToNext, reason);
    INFO(expected.day, "/", expected.month, "/", expected.year, " at ", timeOfDay);
    CHECK(banking == expected.banking);
    CHECK(reason == expected.reason);
    CHECK(daysToNext == expected.daysToNext);
}

} // namespace

TEST_CASE("every row of the holiday table, on every day of week it lists") {
    const DayCase cases[] = {
        // 1 January: Sunday, Saturday, Monday to Friday
        {2017, 1, 1, false, BankHoliday, 2},
        {2022, 1, 1, false, BankHoliday, 3},
        {2018, 1, 1, false, BankHoliday, 1},
        {2019, 1, 1, false, BankHoliday, 1},
        {2020, 1, 1, false, BankHoliday, 1},
        {2015, 1, 1, false, BankHoliday, 1},
        {2021, 1, 1, false, BankHoliday, 1},
        // 2 January: Saturday, Sunday, Monday
        {2021, 1, 2, false, BankHoliday, 2},
        {2022, 1, 2, false, BankHoliday, 2},
        {2023, 1, 2, false, BankHoliday, 1},
        // 3 January: Monday
        {2022, 1, 3, false, BankHoliday, 1},
        // Mondays of May: first week, middle, last week
        {2021, 5, 3, false, BankHoliday, 1},
        {2025, 5, 5, false, BankHoliday, 1},
        {2021, 5, 24, true, NoReason, 0},
        {2024, 5, 13, true, NoReason, 0},
        {2021, 5, 31, false, BankHoliday, 1},
        {2024, 5, 27, false, BankHoliday, 1},
        // Mondays of August
        {2025, 8, 4, true, NoReason, 0},
        {2021, 8, 23, true, NoReason, 0},
        {2025, 8, 25, false, BankHoliday, 1},
        {2021, 8, 30, false, BankHoliday, 1},
        // 25 December: Sunday, Monday to Wednesday, Thursday and Friday, Saturday
        {2022, 12, 25, false, Weekend, 3},
        {2017, 12, 25, false, BankHoliday, 2},
        {2018, 12, 25, false, BankHoliday, 2},
        {2019, 12, 25, false, BankHoliday, 2},
        {2025, 12, 25, false, BankHoliday, 4},
        {2015, 12, 25, false, BankHoliday, 4},
        {2021, 12, 25, false, Weekend, 4},
        // 26 December: Sunday, Monday, Tuesday to Thursday, Friday, Saturday
        {2021, 12, 26, false, Weekend, 3},
        {2022, 12, 26, false, BankHoliday, 2},
        {2017, 12, 26, false, BankHoliday, 1},
        {2018, 12, 26, false, BankHoliday, 1},
        {2019, 12, 26, false, BankHoliday, 1},
        {2025, 12, 26, false, BankHoliday, 3},
        {2015, 12, 26, false, Weekend, 3},
        // 27 December: Sunday, Monday, Tuesday, Wednesday to Friday, Saturday
        {2015, 12, 27, false, Weekend, 2},
        {2021, 12, 27, false, BankHoliday, 2},
        {2022, 12, 27, false, BankHoliday, 1},
        {2017, 12, 27, true, NoReason, 0},
        {2018, 12, 27, true, NoReason, 0},
        {2019, 12, 27, true, NoReason, 0},
        {2025, 12, 27, false, Weekend, 2},
        // 28 December: Sunday, Monday and Tuesday, Wednesday to Friday, Saturday
        {2025, 12, 28, false, Weekend, 1},
        {2015, 12, 28, false, BankHoliday, 1},
        {2021, 12, 28, false, BankHoliday, 1},
        {2022, 12, 28, true, NoReason, 0},
        {2017, 12, 28, true, NoReason, 0},
        {2018, 12, 28, true, NoReason, 0},
        {2019, 12, 28, false, Weekend, 2},
    };
    for (const DayCase& expected : cases) {
        CheckDay(expected, 0.0);
        CheckDay(expected, 0.75);
    }
}

TEST_CASE("days the holiday table does not list follow the weekday and weekend rule") {
    const DayCase cases[] = {
        {2018, 1, 2, true, NoReason, 0},   // 2 January, a Tuesday
        {2015, 1, 3, false, Weekend, 2},   // 3 January, a Saturday
        {2016, 1, 3, false, Weekend, 1},   // 3 January, a Sunday
        {2024, 1, 4, true, NoReason, 0},   // a Thursday of January
        {2025, 3, 17, true, NoReason, 0},  // a Monday of March
        {2025, 7, 14, true, NoReason, 0},  // a Monday of July
        {2025, 7, 12, false, Weekend, 2},  // a Saturday
        {2025, 7, 13, false, Weekend, 1},  // a Sunday
        {2024, 5, 25, false, Weekend, 2},  // the Saturday before a May bank holiday
        {2023, 12, 30, false, Weekend, 2}, // the Saturday before New Year's Day
        {2023, 12, 31, false, Weekend, 1}, // the Sunday before New Year's Day
        {2019, 12, 24, true, NoReason, 0}, // Christmas Eve
        {2020, 12, 29, true, NoReason, 0}, // after Christmas
        {2021, 6, 1, true, NoReason, 0},   // a Tuesday of June
    };
    for (const DayCase& expected : cases) {
        CheckDay(expected, 0.0);
        CheckDay(expected, 0.5);
    }
}

TEST_CASE("Good Friday and Easter Monday") {
    const DayCase cases[] = {
        {2024, 3, 28, true, NoReason, 0},     // Maundy Thursday
        {2024, 3, 29, false, BankHoliday, 4}, // Good Friday, to Tuesday 2 April
        {2024, 3, 30, false, Weekend, 2},     // Saturday, pointing at Easter Monday
        {2024, 3, 31, false, Weekend, 1},     // Easter Sunday
        {2024, 4, 1, false, BankHoliday, 1},  // Easter Monday
        {2024, 4, 2, true, NoReason, 0},
        {2025, 4, 18, false, BankHoliday, 4},
        {2025, 4, 21, false, BankHoliday, 1},
        {2008, 3, 21, false, BankHoliday, 4},
        {2008, 3, 24, false, BankHoliday, 1},
        {2038, 4, 23, false, BankHoliday, 4},
        {2038, 4, 26, false, BankHoliday, 1},
        {2025, 4, 25, true, NoReason, 0}, // a Friday of April that is not Good Friday
        {2024, 4, 29, true, NoReason, 0}, // a Monday of April that is not Easter Monday
    };
    for (const DayCase& expected : cases) {
        CheckDay(expected, 0.0);
        CheckDay(expected, 0.999);
    }
}

TEST_CASE("a banking day clears both results") {
    int daysToNext = 9;
    NonBankingReason reason = Weekend;
    CHECK(CheckBankingDay(Day(2024, 7, 10), daysToNext, reason));
    CHECK(daysToNext == 0);
    CHECK(reason == NoReason);
}

TEST_CASE("every day of two centuries against the holiday rules") {
    constexpr int FirstYear = 1950;
    constexpr int LastYear = 2150;
    const HolidayOracle oracle(FirstYear, LastYear);
    int mismatches = 0;
    for (int day = DayNumber(FirstYear, 1, 1); day <= DayNumber(LastYear, 12, 31); ++day) {
        const ExpectedDay expected = oracle.Expected(day);
        int daysToNext = -1;
        NonBankingReason reason = NoReason;
        const bool banking = CheckBankingDay(day + 0.3, daysToNext, reason);
        const int dayOfWeek = DayOfWeek(day);
        const bool weekday = IsWeekday(day + 0.3);
        const bool agrees = banking == expected.banking && reason == expected.reason &&
                            daysToNext == expected.daysToNext &&
                            weekday == (dayOfWeek != 0 && dayOfWeek != 6);
        if (!agrees && ++mismatches <= 10) {
            const CivilDate date = CivilDateOf(day);
            INFO(date.day, "/", date.month, "/", date.year, " day of week ", dayOfWeek);
            CHECK(banking == expected.banking);
            CHECK(reason == expected.reason);
            CHECK(daysToNext == expected.daysToNext);
            CHECK(weekday == (dayOfWeek != 0 && dayOfWeek != 6));
        }
    }
    CHECK(mismatches == 0);
}

TEST_CASE("the next banking day") {
    SUBCASE("a banking day is its own next banking day, time of day kept") {
        CHECK(GetNextBankingDay(Day(2024, 7, 10) + 0.4) == Day(2024, 7, 10) + 0.4);
    }
    SUBCASE("from the Saturday before Easter, three checks reach the Tuesday") {
        CHECK(GetNextBankingDay(Day(2024, 3, 30) + 0.25) == Day(2024, 4, 2) + 0.25);
    }
    SUBCASE("from a Friday New Year's Day, over its Saturday, to the Monday") {
        CHECK(GetNextBankingDay(Day(2021, 1, 1)) == Day(2021, 1, 4));
    }
    SUBCASE("from an ordinary Saturday to the Monday") {
        CHECK(GetNextBankingDay(Day(2025, 7, 12) + 0.5) == Day(2025, 7, 14) + 0.5);
    }
    SUBCASE("from a Christmas Day on a Saturday to the Wednesday") {
        CHECK(GetNextBankingDay(Day(2021, 12, 25)) == Day(2021, 12, 29));
    }
}

TEST_CASE("the next banking day from every day of two centuries") {
    constexpr int FirstYear = 1950;
    constexpr int LastYear = 2150;
    const HolidayOracle oracle(FirstYear, LastYear);
    constexpr double TimeOfDay = 0.25; // exact in binary, so whole days add exactly
    int mismatches = 0;
    for (int day = DayNumber(FirstYear, 1, 1); day <= DayNumber(LastYear, 12, 31); ++day) {
        const DATE next = GetNextBankingDay(day + TimeOfDay);
        const DATE expected = oracle.BankingDayFrom(day) + TimeOfDay;
        if (next != expected && ++mismatches <= 10) {
            const CivilDate date = CivilDateOf(day);
            INFO(date.day, "/", date.month, "/", date.year);
            CHECK(next == expected);
        }
    }
    CHECK(mismatches == 0);
}
