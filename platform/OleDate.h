#pragma once
// Stand-ins of SystemTimeToVariantTime and VariantTimeToSystemTime for the native build, on the
// Gregorian calendar: day 0 is 30 December 1899, the fraction of a DATE its time of day (for
// days before day 0 the fraction counts forward as well). They handle years 100 to 9999 with
// real months and days and times of day to the second; anything else fails. (The platform's
// own conversion may take a month or day of 0 as the last of the one before.)
#include "platform/Platform.h"

bool OleDateFromParts(const SYSTEMTIME& parts, DATE& date);
bool OleDatePartsOf(DATE date, SYSTEMTIME& parts);
