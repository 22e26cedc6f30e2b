#include "payments/PaymentFields.h"

#include "payments/FieldPreparation.h"

namespace {
constexpr int SortCodeWidth = 6;
constexpr int AccountNumberWidth = 8;
} // namespace

Bstr ReadPaymentText(IVelmoraPayment* payment, PaymentTextProperty property) {
    Bstr text;
    if (FAILED((payment->*property)(text.Out()))) {
        text.Reset();
    }
    return text;
}

double ReadPaymentAmount(IVelmoraPayment* payment) {
    double amount = 0.0;
    if (FAILED(payment->get_Amount(&amount))) {
        amount = 0.0;
    }
    return amount;
}

FieldText SortCodeField(const wchar_t* host) {
    return ZeroPad(DigitsOnlyText(host).Head(SortCodeWidth), SortCodeWidth);
}

FieldText AccountNumberField(const wchar_t* host) {
    return ZeroPad(QuotedFieldSafe(NarrowText(host)).Head(AccountNumberWidth), AccountNumberWidth);
}
