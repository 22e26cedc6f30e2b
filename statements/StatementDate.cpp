#include "statements/StatementDate.h"

#include "platform/VariantTime.h"
#include "statements/TransactionFields.h"

namespace {

// Leap years are judged on the year within its century, as the field gives it.
bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Two-digit years lie between 1930 and 2029. The century is added here rather than left to
// SystemTimeToVariantTime, whose own window differs between platforms.
int FullYear(int year) {
    if (year >= 0 && year < 30) {
        return 2000 + year;
    }
    if (year >= 30 && year < 100) {
        return 1900 + year;
    }
    return year;
}

// The day of 1 January of a year from 1901 on, counted as a DATE: 1 January 1900 is day 2, and
// from 1901 every fourth year is a leap year up to 2099.
int FirstDayOfYear(int fullYear) {
    return 2 + 365 * (fullYear - 1900) + (fullYear - 1901) / 4;
}

} // namespace

DATE ConvertStatementDate(const CString& text) {
    return ConvertStatementDate(text.Text(), text.Length());
}

DATE ConvertStatementDate(const char* field, int length) {
    // The first three characters and the last three, as the field is six characters wide.
    // Three characters give at most three digits: the values fit an int.
    const int year = static_cast<int>(ReadFieldInteger(field, length < 3 ? length : 3));
    const int dayOffset = length > 3 ? length - 3 : 0;
    const int dayOfYear = static_cast<int>(ReadFieldInteger(field + dayOffset, length - dayOffset));
    int monthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (IsLeapYear(year)) {
        monthLengths[1] = 29;
    }

    // A real day of a two-digit year is counted here: the leap years above are those of the
    // calendar from 1930 to 2029, and the platform's conversion gives the same day.
    const int yearLength = monthLengths[1] == 29 ? 366 : 365;
    if (year >= 0 && year < 100 && dayOfYear >= 1 && dayOfYear <= yearLength) {
        return static_cast<DATE>(FirstDayOfYear(FullYear(year)) + dayOfYear - 1);
    }

    // A day beyond the end of the year leaves month and day 0 for the platform to judge.
    int month = 0;
    int day = 0;
    int daysBefore = 0;
    for (int index = 0; index < 12; ++index) {
        if (dayOfYear <= daysBefore + monthLengths[index]) {
            month = index + 1;
            day = dayOfYear - daysBefore;
            break;
        }
        daysBefore += monthLengths[index];
    }
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(FullYear(year));
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    DATE date = 0.0;
    if (!DateFromParts(time, date)) {
        date = 0.0;
    }
    return date;
}
