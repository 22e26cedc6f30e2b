#pragma once
// The field texts both payment file formats share.
#include "payments/FieldText.h"

// A sort code as written: its digits, the first six, zero-padded to six.
FieldText SortCodeField(const wchar_t* host);

// An account number as written: its narrow text less any character that would break the quoted
// field, the first eight, zero-padded to eight.
FieldText AccountNumberField(const wchar_t* host);
