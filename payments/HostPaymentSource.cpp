#include "payments/HostPaymentSource.h"

namespace {

using PaymentTextProperty = HRESULT (STDMETHODCALLTYPE IVelmoraPayment::*)(BSTR*);

PaymentTextProperty PropertyOf(PaymentText value) {
    switch (value) {
    case PaymentText::PayerSortCode:
        return &IVelmoraPayment::get_PayerSortCode;
    case PaymentText::PayerAccountNumber:
        return &IVelmoraPayment::get_PayerAccountNumber;
    case PaymentText::PayerAccountName:
        return &IVelmoraPayment::get_PayerAccountName;
    case PaymentText::PayeeSortCode:
        return &IVelmoraPayment::get_PayeeSortCode;
    case PaymentText::PayeeAccountNumber:
        return &IVelmoraPayment::get_PayeeAccountNumber;
    case PaymentText::PayeeAccountName:
        return &IVelmoraPayment::get_PayeeAccountName;
    case PaymentText::PayeeRollNumber:
        return &IVelmoraPayment::get_PayeeRollNumber;
    case PaymentText::PayeeBacsReference:
        return &IVelmoraPayment::get_PayeeBacsReference;
    case PaymentText::Details:
        break;
    }
    return &IVelmoraPayment::get_Details;
}

} // namespace

PaymentTextValue HostPaymentSource::Text(PaymentText value) {
    if (FAILED((payment_->*PropertyOf(value))(text_.Out()))) {
        text_.Reset();
    }
    return {text_.Get() != nullptr ? text_.Get() : L"", text_.Length()};
}

double HostPaymentSource::Amount() {
    double amount = 0.0;
    if (FAILED(payment_->get_Amount(&amount))) {
        amount = 0.0;
    }
    return amount;
}

void HostPaymentSource::SetStatusCode(PaymentStatusCode code) {
    payment_->put_StatusCode(code);
}
