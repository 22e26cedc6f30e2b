#pragma once
#include "platform/Platform.h"
#include "text/CString.h"

// The date of a transaction line's six-character date field: a year within its century
// (characters 1-3, a blank and two digits; 0 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999)
// and the day of that year (characters 4-6, 001 to 366). 0.0 when no date can be built.
DATE ConvertStatementDate(const CString& text);

// The same for the length characters at field.
DATE ConvertStatementDate(const char* field, int length);
