#pragma once
// The rules a payment must pass while its line is written.
#include "payments/PaymentSource.h"
#include "payments/PaymentStatusCode.h"

// An amount passes when it is a number above 0.000005: zero and negative amounts fail.
bool IsValidAmount(double amount);

// A sort code passes when it holds exactly six digits among any other characters.
bool IsValidSortCode(const wchar_t* host);

// An account number passes when it is exactly eight characters, each of them one the file can
// carry unaltered: narrow, and neither a double quote nor a line break.
bool IsValidAccountNumber(const wchar_t* host);

// The rule checks of one payment: each failed rule sets the payment's StatusCode at once (the
// host's result is not examined), so a payment with several faults ends with the code of the
// last faulty field. A valid payment's status code is not touched.
class PaymentChecks {
public:
    explicit PaymentChecks(PaymentSource& payment) : payment_(payment) {}

    void Require(bool passed, PaymentStatusCode failure);
    bool AllPassed() const { return allPassed_; }

private:
    PaymentSource& payment_;
    bool allPassed_ = true;
};
