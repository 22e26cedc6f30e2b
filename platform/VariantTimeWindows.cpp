#include "platform/VariantTime.h"

bool DateFromParts(const SYSTEMTIME& parts, DATE& date) {
    SYSTEMTIME copy = parts;
    return SystemTimeToVariantTime(&copy, &date) != FALSE;
}

bool PartsFromDate(DATE date, SYSTEMTIME& parts) {
    return VariantTimeToSystemTime(date, &parts) != FALSE;
}
