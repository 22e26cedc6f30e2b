#include "CivilDays.h"

namespace {
// Days from 1 January 1970 back to 30 December 1899.
constexpr int DaysBeforeUnixEpoch = 25569;
constexpr int DaysPerEra = 146097; // 400 Gregorian years
} // namespace

int DayNumber(int year, int month, int day) {
    // Years counted from March, so that the leap day ends the year.
    const int marchYear = month <= 2 ? year - 1 : year;
    const int era = (marchYear >= 0 ? marchYear : marchYear - 399) / 400;
    const int yearOfEra = marchYear - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * DaysPerEra + dayOfEra - 719468 + DaysBeforeUnixEpoch;
}

CivilDate CivilDateOf(int dayNumber) {
    const int days = dayNumber - DaysBeforeUnixEpoch + 719468;
    const int era = (days >= 0 ? days : days - DaysPerEra + 1) / DaysPerEra;
    const int dayOfEra = days - era * DaysPerEra;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

int DayOfWeek(int dayNumber) {
    // 30 December 1899 was a Saturday.
    return ((dayNumber % 7) + 7 + 6) % 7;
}

SYSTEMTIME Moment(int year, int month, int day, int hour, int minute) {
    SYSTEMTIME moment{};
    moment.wYear = static_cast<WORD>(year);
    moment.wMonth = static_cast<WORD>(month);
    moment.wDay = static_cast<WORD>(day);
    moment.wDayOfWeek = static_cast<WORD>(DayOfWeek(DayNumber(year, month, day)));
    moment.wHour = static_cast<WORD>(hour);
    moment.wMinute = static_cast<WORD>(minute);
    return moment;
}
