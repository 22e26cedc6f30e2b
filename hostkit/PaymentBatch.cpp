#include "hostkit/PaymentBatch.h"

#include "hostkit/TextConversion.h"

ULONG HostPayment::Release() {
    const ULONG left = DispatchObject::Release();
    if (left == 1) {
        Control()->Released(Name());
    }
    return left;
}

HRESULT HostPayment::Text(const char* property, const std::wstring& text, BSTR* value) {
    if (const auto failure = Enter(property)) {
        return AnswerFailure(*failure, value);
    }
    return HandOutText(text, value);
}

HRESULT HostPayment::get_Amount(double* amount) {
    if (const auto failure = Enter("Amount")) {
        return AnswerFailure(*failure, amount);
    }
    if (amount == nullptr) {
        return E_POINTER;
    }
    *amount = fields_.amount;
    return S_OK;
}

HRESULT HostPayment::get_PayerSortCode(BSTR* value) {
    return Text("PayerSortCode", fields_.payerSortCode, value);
}

HRESULT HostPayment::get_PayerAccountNumber(BSTR* value) {
    return Text("PayerAccountNumber", fields_.payerAccountNumber, value);
}

HRESULT HostPayment::get_PayerAccountName(BSTR* value) {
    return Text("PayerAccountName", fields_.payerAccountName, value);
}

HRESULT HostPayment::get_PayeeBacsReference(BSTR* value) {
    return Text("PayeeBacsReference", fields_.payeeBacsReference, value);
}

HRESULT HostPayment::get_PayeeSortCode(BSTR* value) {
    return Text("PayeeSortCode", fields_.payeeSortCode, value);
}

HRESULT HostPayment::get_PayeeAccountNumber(BSTR* value) {
    return Text("PayeeAccountNumber", fields_.payeeAccountNumber, value);
}

HRESULT HostPayment::get_PayeeAccountName(BSTR* value) {
    return Text("PayeeAccountName", fields_.payeeAccountName, value);
}

HRESULT HostPayment::get_PayeeRollNumber(BSTR* value) {
    return Text("PayeeRollNumber", fields_.payeeRollNumber, value);
}

HRESULT HostPayment::get_Details(BSTR* value) {
    return Text("Details", fields_.details, value);
}

HRESULT HostPayment::get_StatusCode(long* code) {
    if (const auto failure = Enter("StatusCode")) {
        return AnswerFailure(*failure, code);
    }
    if (code == nullptr) {
        return E_POINTER;
    }
    *code = statusCodes_.empty() ? 0 : statusCodes_.back();
    return S_OK;
}

HRESULT HostPayment::put_StatusCode(long code) {
    if (const auto failure = Enter("SetStatusCode", [code] { return std::to_string(code); })) {
        return *failure;
    }
    statusCodes_.push_back(code);
    return S_OK;
}

HostPaymentBatch::HostPaymentBatch(const std::vector<PaymentFields>& payments,
                                   std::shared_ptr<HostControl> control)
    : DispatchObject(std::move(control), "Batch") {
    for (const PaymentFields& fields : payments) {
        payments_.push_back(MakeHostObject<HostPayment>(
            fields, Control(), "Payment[" + std::to_string(payments_.size()) + "]"));
    }
}

HRESULT HostPaymentBatch::get_Item(long index, IVelmoraPayment** payment) {
    ++itemRequests_;
    if (const auto failure = Enter("Item", [index] { return std::to_string(index); })) {
        return AnswerFailure(*failure, payment);
    }
    if (payment == nullptr) {
        return E_POINTER;
    }
    *payment = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= payments_.size()) {
        return E_INVALIDARG;
    }
    *payment = ComPtr<HostPayment>(payments_[static_cast<size_t>(index)]).Detach();
    return S_OK;
}

HRESULT HostPaymentBatch::get_Count(long* count) {
    if (const auto failure = Enter("Count")) {
        return AnswerFailure(*failure, count);
    }
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = static_cast<long>(payments_.size());
    return S_OK;
}
