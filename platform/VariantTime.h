#pragma once
// Dates as OLE Automation DATEs: SystemTimeToVariantTime and VariantTimeToSystemTime in the
// DLL, the calendar stand-ins (platform/OleDate.h) in the native build. Both false when the
// conversion fails.
#include "platform/Platform.h"

bool DateFromParts(const SYSTEMTIME& parts, DATE& date);
bool PartsFromDate(DATE date, SYSTEMTIME& parts);
