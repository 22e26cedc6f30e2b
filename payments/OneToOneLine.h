#pragma once
// The "Payment 1 To 1" payment file: one line of 19 quoted fields per payment, carrying the
// processing date; no header or trailer.
#include <cstdio>

#include "payments/FieldText.h"
#include "payments/PaymentSource.h"
#include "platform/Platform.h"

// The processing date as DDMMYYYY: 1 March 2013 gives 01032013.
FieldText FormatProcessingDate(DATE processingDate);

// Writes the payment's line and checks the payment on the way; true when it passed every rule.
// Each failed rule sets the payment's status code, and the line is written all the same.
bool WriteOneToOneLine(std::FILE* file, DATE processingDate, PaymentSource& payment);
