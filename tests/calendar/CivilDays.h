#pragma once
// Day arithmetic of the Gregorian calendar worked out here, without the platform's date
// conversions, so that the calendar's results can be checked against it. Day numbers count
// like a DATE: day 0 is 30 December 1899.
#include <cmath>

#include "platform/Platform.h"

struct CivilDate {
    int year;
    int month;
    int day;
};

int DayNumber(int year, int month, int day);
CivilDate CivilDateOf(int dayNumber);
// 0 Sunday to 6 Saturday.
int DayOfWeek(int dayNumber);

// The DATE of a day at midnight.
inline DATE Day(int year, int month, int day) {
    return DayNumber(year, month, day);
}

// Two DATEs less than a second apart (date conversions may round the time of day).
inline bool SameMoment(DATE first, DATE second) {
    return std::fabs(first - second) < 1.0 / 86400;
}

// A local moment for the fixed clock.
SYSTEMTIME Moment(int year, int month, int day, int hour = 0, int minute = 0);
