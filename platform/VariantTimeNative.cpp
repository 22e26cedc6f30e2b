#include "platform/VariantTime.h"

#include "platform/OleDate.h"

bool DateFromParts(const SYSTEMTIME& parts, DATE& date) {
    return OleDateFromParts(parts, date);
}

bool PartsFromDate(DATE date, SYSTEMTIME& parts) {
    return OleDatePartsOf(date, parts);
}
