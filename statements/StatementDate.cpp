#include "statements/StatementDate.h"

#include <cstring>

#include "statements/TransactionFields.h"

namespace {

// Leap years are judged on the year within its century, as the field gives it.
bool IsLeapYear(long long year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Two-digit years lie between 1930 and 2029. The century is added here rather than left to
// SystemTimeToVariantTime, whose own window differs between platforms.
long long FullYear(long long year) {
    if (year >= 0 && year < 30) {
        return 2000 + year;
    }
    if (year >= 30 && year < 100) {
        return 1900 + year;
    }
    return year;
}

} // namespace

DATE ConvertStatementDate(const CString& text) {
    int monthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // The first three characters and the last three, as the field is six characters wide.
    const char* field = text.Text();
    const int length = text.Length();
    char yearText[4] = {};
    std::memcpy(yearText, field, static_cast<size_t>(length < 3 ? length : 3));
    const long long year = ReadFieldInteger(yearText);
    if (IsLeapYear(year)) {
        monthLengths[1] = 29;
    }
    const long long dayOfYear = ReadFieldInteger(field + (length > 3 ? length - 3 : 0));

    // A day beyond the end of the year leaves month and day 0 for the platform to judge.
    int month = 0;
    long long day = 0;
    long long daysBefore = 0;
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
    if (!SystemTimeToVariantTime(&time, &date)) {
        date = 0.0;
    }
    return date;
}
