#include "calendar/BankingDays.h"

#include <cmath>

#include "platform/VariantTime.h"

namespace {

enum DayOfWeek : WORD { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

constexpr unsigned On(DayOfWeek day) {
    return 1u << day;
}
constexpr unsigned MondayToFriday =
    On(Monday) | On(Tuesday) | On(Wednesday) | On(Thursday) | On(Friday);

// A day of January, May, August or December whose status differs from the plain
// weekday/weekend rule, for the days of week in the mask. A banking day has no reason.
struct HolidayRule {
    WORD month;
    WORD firstDay;
    WORD lastDay;
    unsigned daysOfWeek;
    NonBankingReason reason;
    int daysToNext;
};

// New Year, the May and August Mondays, Christmas and Boxing Day with the weekdays on which
// they are observed when they fall on a weekend.
constexpr HolidayRule HolidayRules[] = {
    {1, 1, 1, On(Sunday), BankHoliday, 2},
    {1, 1, 1, On(Saturday), BankHoliday, 3},
    {1, 1, 1, MondayToFriday, BankHoliday, 1},
    {1, 2, 2, On(Saturday), BankHoliday, 2},
    {1, 2, 2, On(Sunday), BankHoliday, 2},
    {1, 2, 2, On(Monday), BankHoliday, 1},
    {1, 3, 3, On(Monday), BankHoliday, 1},
    {5, 1, 7, On(Monday), BankHoliday, 1},
    {5, 8, 24, On(Monday), NoReason, 0},
    {5, 25, 31, On(Monday), BankHoliday, 1},
    {8, 1, 24, On(Monday), NoReason, 0},
    {8, 25, 31, On(Monday), BankHoliday, 1},
    {12, 25, 25, On(Sunday), Weekend, 3},
    {12, 25, 25, On(Monday) | On(Tuesday) | On(Wednesday), BankHoliday, 2},
    {12, 25, 25, On(Thursday) | On(Friday), BankHoliday, 4},
    {12, 25, 25, On(Saturday), Weekend, 4},
    {12, 26, 26, On(Sunday), Weekend, 3},
    {12, 26, 26, On(Monday), BankHoliday, 2},
    {12, 26, 26, On(Tuesday) | On(Wednesday) | On(Thursday), BankHoliday, 1},
    {12, 26, 26, On(Friday), BankHoliday, 3},
    {12, 26, 26, On(Saturday), Weekend, 3},
    {12, 27, 27, On(Sunday), Weekend, 2},
    {12, 27, 27, On(Monday), BankHoliday, 2},
    {12, 27, 27, On(Tuesday), BankHoliday, 1},
    {12, 27, 27, On(Wednesday) | On(Thursday) | On(Friday), NoReason, 0},
    {12, 27, 27, On(Saturday), Weekend, 2},
    {12, 28, 28, On(Sunday), Weekend, 1},
    {12, 28, 28, On(Monday) | On(Tuesday), BankHoliday, 1},
    {12, 28, 28, On(Wednesday) | On(Thursday) | On(Friday), NoReason, 0},
    {12, 28, 28, On(Saturday), Weekend, 2},
};

struct DayStatus {
    NonBankingReason reason;
    int daysToNext;
};

SYSTEMTIME PartsOf(DATE date) {
    SYSTEMTIME parts{};
    PartsFromDate(date, parts);
    return parts;
}

DATE DateOf(WORD year, WORD month, WORD day) {
    SYSTEMTIME parts{};
    parts.wYear = year;
    parts.wMonth = month;
    parts.wDay = day;
    DATE date = 0;
    DateFromParts(parts, date);
    return date;
}

bool SameDay(DATE day, DATE other) {
    return std::fabs(day - other) < 1;
}

// Monday to Friday are banking days; a weekend points at the Monday.
DayStatus GeneralRule(const SYSTEMTIME& day) {
    switch (day.wDayOfWeek) {
    case Saturday:
        return {Weekend, 2};
    case Sunday:
        return {Weekend, 1};
    default:
        return {NoReason, 0};
    }
}

DayStatus EasterRule(DATE day, const SYSTEMTIME& parts) {
    const DATE easterSunday = GetEasterSunday(parts.wYear);
    if (SameDay(day, easterSunday - 2)) {
        return {BankHoliday, 4}; // Good Friday, to the Tuesday after Easter Monday
    }
    if (SameDay(day, easterSunday + 1)) {
        return {BankHoliday, 1}; // Easter Monday
    }
    return GeneralRule(parts);
}

DayStatus TableRule(const SYSTEMTIME& day) {
    for (const HolidayRule& rule : HolidayRules) {
        if (rule.month == day.wMonth && rule.firstDay <= day.wDay && day.wDay <= rule.lastDay &&
            (rule.daysOfWeek & (1u << day.wDayOfWeek)) != 0) {
            return {rule.reason, rule.daysToNext};
        }
    }
    return GeneralRule(day);
}

DayStatus StatusOf(DATE day) {
    const SYSTEMTIME parts = PartsOf(day);
    switch (parts.wMonth) {
    case 3:
    case 4:
        return EasterRule(day, parts);
    case 1:
    case 5:
    case 8:
    case 12:
        return TableRule(parts);
    default:
        return GeneralRule(parts);
    }
}

} // namespace

bool IsWeekday(DATE date) {
    const WORD dayOfWeek = PartsOf(date).wDayOfWeek;
    return dayOfWeek != Sunday && dayOfWeek != Saturday;
}

DATE GetEasterSunday(int year) {
    const int golden = year % 19 + 1;
    const int century = year / 100 + 1;
    const int skippedLeapDays = 3 * century / 4 - 12;
    const int moonCorrection = (8 * century + 5) / 25 - 5;
    const int sundayKey = 5 * year / 4 - skippedLeapDays - 10;
    int epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
    if (epact < 0) {
        epact += 30;
    }
    if ((epact == 25 && golden > 11) || epact == 24) {
        ++epact;
    }
    int fullMoon = 44 - epact; // day of March
    if (fullMoon < 21) {
        fullMoon += 30;
    }
    const int sunday = fullMoon + 7 - (sundayKey + fullMoon) % 7;
    const WORD easterYear = static_cast<WORD>(year);
    return sunday > 31 ? DateOf(easterYear, 4, static_cast<WORD>(sunday - 31))
                       : DateOf(easterYear, 3, static_cast<WORD>(sunday));
}

bool CheckBankingDay(DATE date, int& daysToNext, NonBankingReason& reason) {
    daysToNext = 0;
    reason = NoReason;
    const DayStatus status = StatusOf(std::floor(date));
    if (status.reason == NoReason) {
        return true;
    }
    daysToNext = status.daysToNext;
    reason = status.reason;
    return false;
}

DATE GetNextBankingDay(DATE date) {
    constexpr int MaximumChecks = 3;
    DATE candidate = date;
    for (int check = 0; check < MaximumChecks; ++check) {
        int daysToNext = 0;
        NonBankingReason reason = NoReason;
        if (CheckBankingDay(candidate, daysToNext, reason)) {
            return candidate;
        }
        candidate += daysToNext;
    }
    return date;
}
