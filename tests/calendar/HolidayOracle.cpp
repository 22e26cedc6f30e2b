#include "HolidayOracle.h"

#include "CivilDays.h"

namespace {

constexpr int Saturday = 6;
constexpr int Sunday = 0;
constexpr int Monday = 1;
constexpr int Friday = 5;

bool IsWeekend(int day) {
    const int dayOfWeek = DayOfWeek(day);
    return dayOfWeek == Saturday || dayOfWeek == Sunday;
}

int FirstMonday(int year, int month) {
    int day = DayNumber(year, month, 1);
    while (DayOfWeek(day) != Monday) {
        ++day;
    }
    return day;
}

int LastMonday(int year, int month, int lastDayOfMonth) {
    int day = DayNumber(year, month, lastDayOfMonth);
    while (DayOfWeek(day) != Monday) {
        --day;
    }
    return day;
}

// Holidays on a weekend are observed on the next weekday not already a holiday.
void AddObserved(std::set<int>& holidays, int day) {
    while (IsWeekend(day) || holidays.count(day) != 0) {
        ++day;
    }
    holidays.insert(day);
}

} // namespace

int OracleEasterSunday(int year) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return DayNumber(year, month, day);
}

HolidayOracle::HolidayOracle(int firstYear, int lastYear) {
    for (int year = firstYear - 1; year <= lastYear + 1; ++year) {
        AddObserved(holidays_, DayNumber(year, 1, 1));
        const int easter = OracleEasterSunday(year);
        holidays_.insert(easter - 2);
        holidays_.insert(easter + 1);
        holidays_.insert(FirstMonday(year, 5));
        holidays_.insert(LastMonday(year, 5, 31));
        holidays_.insert(LastMonday(year, 8, 31));
        AddObserved(holidays_, DayNumber(year, 12, 25));
        AddObserved(holidays_, DayNumber(year, 12, 26));
    }
}

bool HolidayOracle::IsBankingDay(int day) const {
    return !IsWeekend(day) && holidays_.count(day) == 0;
}

int HolidayOracle::BankingDayFrom(int day) const {
    while (!IsBankingDay(day)) {
        ++day;
    }
    return day;
}

ExpectedDay HolidayOracle::Expected(int day) const {
    if (IsBankingDay(day)) {
        return {true, NoReason, 0};
    }
    const CivilDate date = CivilDateOf(day);
    const bool newYearPeriod = date.month == 1 && date.day <= 2;
    const bool christmasPeriod = date.month == 12 && date.day >= 25 && date.day <= 28;
    const NonBankingReason reason = !IsWeekend(day) || newYearPeriod ? BankHoliday : Weekend;
    if (IsWeekend(day) && !newYearPeriod && !christmasPeriod) {
        return {false, reason, DayOfWeek(day) == Saturday ? 2 : 1};
    }
    if (date.month == 1 && date.day == 1 && DayOfWeek(day) == Friday) {
        return {false, reason, 1};
    }
    return {false, reason, BankingDayFrom(day) - day};
}
