#include "tools/velmora-host/PaymentBatch.h"

#include "tools/velmora-host/TextConversion.h"

HRESULT HostPayment::get_Amount(double* amount) {
    if (amount == nullptr) {
        return E_POINTER;
    }
    *amount = fields_.amount;
    return S_OK;
}

HRESULT HostPayment::get_PayerSortCode(BSTR* value) {
    return HandOutText(fields_.payerSortCode, value);
}

HRESULT HostPayment::get_PayerAccountNumber(BSTR* value) {
    return HandOutText(fields_.payerAccountNumber, value);
}

HRESULT HostPayment::get_PayerAccountName(BSTR* value) {
    return HandOutText(fields_.payerAccountName, value);
}

HRESULT HostPayment::get_PayeeBacsReference(BSTR* value) {
    return HandOutText(fields_.payeeBacsReference, value);
}

HRESULT HostPayment::get_PayeeSortCode(BSTR* value) {
    return HandOutText(fields_.payeeSortCode, value);
}

HRESULT HostPayment::get_PayeeAccountNumber(BSTR* value) {
    return HandOutText(fields_.payeeAccountNumber, value);
}

HRESULT HostPayment::get_PayeeAccountName(BSTR* value) {
    return HandOutText(fields_.payeeAccountName, value);
}

HRESULT HostPayment::get_PayeeRollNumber(BSTR* value) {
    return HandOutText(fields_.payeeRollNumber, value);
}

HRESULT HostPayment::get_Details(BSTR* value) {
    return HandOutText(fields_.details, value);
}

HRESULT HostPayment::get_StatusCode(long* code) {
    if (code == nullptr) {
        return E_POINTER;
    }
    *code = statusCodes_.empty() ? 0 : statusCodes_.back();
    return S_OK;
}

HRESULT HostPayment::put_StatusCode(long code) {
    statusCodes_.push_back(code);
    return S_OK;
}

HostPaymentBatch::HostPaymentBatch(const std::vector<PaymentFields>& payments) {
    for (const PaymentFields& fields : payments) {
        payments_.push_back(MakeHostObject<HostPayment>(fields));
    }
}

HRESULT HostPaymentBatch::get_Item(long index, IVelmoraPayment** payment) {
    ++itemRequests_;
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
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = static_cast<long>(payments_.size());
    return S_OK;
}
