#pragma once
#include "tools/velmora-host/HostObject.h"
#include "tools/velmora-host/PaymentFields.h"

#include <VelmoraBankPayments.h>

#include <vector>

// One payment of the host's batch (IVelmoraPayment). It serves its fields and records every
// status code the component sets on it, in order.
class HostPayment : public DispatchObject<IVelmoraPayment> {
public:
    explicit HostPayment(PaymentFields fields) : fields_(std::move(fields)) {}

    // Every StatusCode setting, in order; the payment's status code is the last one (0 before).
    const std::vector<long>& StatusCodesSet() const { return statusCodes_; }

    HRESULT STDMETHODCALLTYPE get_Amount(double* amount) override;
    HRESULT STDMETHODCALLTYPE get_PayerSortCode(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayerAccountNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayerAccountName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeBacsReference(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeSortCode(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeAccountNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeAccountName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeRollNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Details(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_StatusCode(long* code) override;
    HRESULT STDMETHODCALLTYPE put_StatusCode(long code) override;

private:
    PaymentFields fields_;
    std::vector<long> statusCodes_;
};

// The host's payment batch (IVelmoraPaymentBatch): its payments in batch order.
class HostPaymentBatch : public DispatchObject<IVelmoraPaymentBatch> {
public:
    explicit HostPaymentBatch(const std::vector<PaymentFields>& payments);

    const std::vector<ComPtr<HostPayment>>& Payments() const { return payments_; }
    // How often the component asked for a payment.
    int ItemRequests() const { return itemRequests_; }

    HRESULT STDMETHODCALLTYPE get_Item(long index, IVelmoraPayment** payment) override;
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override;

private:
    std::vector<ComPtr<HostPayment>> payments_;
    int itemRequests_ = 0;
};
