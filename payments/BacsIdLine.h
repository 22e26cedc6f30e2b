#pragma once
// The "Business eBanking BACS ID" payment file: one line of 7 quoted fields per payment (payee
// name, reference, payee sort code and account number, amount, "0", "99"); no processing date,
// no header or trailer.
#include <cstdio>

#include "payments/PaymentSource.h"

// Writes the payment's line and checks the payment on the way; true when it passed every rule.
// Each failed rule sets the payment's status code, and the line is written all the same. A
// payment without a payee account name gets a line of 6 fields that begins with the reference.
bool WriteBacsIdLine(PaymentSource& payment, std::FILE* file);
