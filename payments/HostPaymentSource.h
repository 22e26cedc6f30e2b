#pragma once
// The host's payment object as the source of a payment's values.
#include <windows.h>
#include <VelmoraBankPayments.h>

#include "com/Bstr.h"
#include "payments/PaymentSource.h"

class HostPaymentSource : public PaymentSource {
public:
    explicit HostPaymentSource(IVelmoraPayment* payment) : payment_(payment) {}

    // The property's text; empty when the host fails to deliver it, so that the rules then
    // judge an empty value.
    PaymentTextValue Text(PaymentText value) override;
    double Amount() override;
    // The host's result is not examined.
    void SetStatusCode(PaymentStatusCode code) override;

private:
    IVelmoraPayment* payment_;
    Bstr text_;
};
