#pragma once
// The rules a payment must pass while its line is written, and the status codes a failed rule
// leaves on the host's payment. The message of code c is string-table entry 300 + c.
#include <windows.h>
#include <VelmoraBankPayments.h>

enum PaymentStatusCode : long {
    InvalidAmount = 21,
    InvalidPayerSortCode = 23,
    InvalidPayerAccountNumber = 24,
    InvalidPayeeSortCode = 28,
    InvalidPayeeAccountNumber = 29,
    InvalidPayeeAccountName = 30,
};

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
    explicit PaymentChecks(IVelmoraPayment* payment) : payment_(payment) {}

    void Require(bool passed, PaymentStatusCode failure);
    bool AllPassed() const { return allPassed_; }

private:
    IVelmoraPayment* payment_;
    bool allPassed_ = true;
};
