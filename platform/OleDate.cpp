#include "platform/OleDate.h"

#include <cmath>

namespace {

constexpr long SecondsPerDay = 24L * 60 * 60;
// Days of 1 January 100 and of 31 December 9999.
constexpr double FirstDay = -657434.0;
constexpr double LastDay = 2958465.0;
// Days from 1 March of year 0 to day 0.
constexpr long DayZeroFromEraZero = 693899;

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int MonthLength(int year, int month) {
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

// Days from 30 December 1899 (the civil-from-days arithmetic on 400-year eras, from March).
long DayNumber(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - DayZeroFromEraZero;
}

void SetDay(long dayNumber, SYSTEMTIME& parts) {
    const long shifted = dayNumber + DayZeroFromEraZero;
    const long era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const long dayOfEra = shifted - era * 146097;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long monthFromMarch = (5 * dayOfYear + 2) / 153;
    const long month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    // Day 0 was a Saturday.
    parts.wDayOfWeek = static_cast<WORD>(((dayNumber + 6) % 7 + 7) % 7);
}

} // namespace

bool OleDateFromParts(const SYSTEMTIME& parts, DATE& date) {
    if (parts.wYear < 100 || parts.wYear > 9999 || parts.wMonth < 1 || parts.wMonth > 12 ||
        parts.wDay < 1 || parts.wDay > MonthLength(parts.wYear, parts.wMonth) || parts.wHour > 23 ||
        parts.wMinute > 59 || parts.wSecond > 59) {
        return false;
    }
    const long day = DayNumber(parts.wYear, parts.wMonth, parts.wDay);
    const double time =
        static_cast<double>(parts.wHour * 3600L + parts.wMinute * 60L + parts.wSecond) /
        SecondsPerDay;
    date = day >= 0 ? day + time : day - time;
    return true;
}

bool OleDatePartsOf(DATE date, SYSTEMTIME& parts) {
    if (!(date >= FirstDay && date < LastDay + 1.0)) {
        return false;
    }
    long day = static_cast<long>(std::trunc(date));
    long seconds = std::lround(std::fabs(date - static_cast<double>(day)) * SecondsPerDay);
    if (seconds == SecondsPerDay) {
        seconds = 0;
        day += date >= 0 ? 1 : -1;
    }
    parts = SYSTEMTIME{};
    SetDay(day, parts);
    parts.wHour = static_cast<WORD>(seconds / 3600);
    parts.wMinute = static_cast<WORD>(seconds / 60 % 60);
    parts.wSecond = static_cast<WORD>(seconds % 60);
    return true;
}
