#pragma once
// The values of one payment as the line writers take them: one at a time, in the order each
// format needs them, with each failed rule's status code set on the payment as soon as it fails.
// The DLL reads them from the host's payment (payments/HostPaymentSource.h); the native build of
// the core from plain values.
#include <cstddef>

#include "payments/PaymentStatusCode.h"

enum class PaymentText {
    PayerSortCode,
    PayerAccountNumber,
    PayerAccountName,
    PayeeSortCode,
    PayeeAccountNumber,
    PayeeAccountName,
    PayeeRollNumber,
    PayeeBacsReference,
    Details,
};

// A text of the payment: length characters at text, which is NUL-terminated after them (and
// may hold a NUL before). A text the host fails to deliver is empty.
struct PaymentTextValue {
    const wchar_t* text;
    std::size_t length;

    bool Empty() const { return length == 0; }
};

class PaymentSource {
public:
    virtual ~PaymentSource() = default;

    // The text, valid until the next call.
    virtual PaymentTextValue Text(PaymentText value) = 0;
    // The amount; 0 when the host fails to deliver it (which fails the amount rule).
    virtual double Amount() = 0;
    virtual void SetStatusCode(PaymentStatusCode code) = 0;
};
