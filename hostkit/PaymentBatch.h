#pragma once
#include "hostkit/HostObject.h"
#include "hostkit/PaymentFields.h"

#include <VelmoraBankPayments.h>

#include <vector>

// One payment of the host's batch (IVelmoraPayment). It serves its fields and records every
// status code the component sets on it, in order. Its owner (the batch, or whoever made it)
// keeps one reference; "Released" is logged when every other reference has come back.
class HostPayment : public DispatchObject<IVelmoraPayment> {
public:
    explicit HostPayment(PaymentFields fields, std::shared_ptr<HostControl> control = {},
                         std::string name = "Payment")
        : DispatchObject(std::move(control), std::move(name)), fields_(std::move(fields)) {}

    // Every StatusCode setting, in order; the payment's status code is the last one (0 before).
    const std::vector<long>& StatusCodesSet() const { return statusCodes_; }

    ULONG STDMETHODCALLTYPE Release() override;
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
    HRESULT Text(const char* property, const std::wstring& text, BSTR* value);

    PaymentFields fields_;
    std::vector<long> statusCodes_;
};

// The host's payment batch (IVelmoraPaymentBatch): its payments in batch order, named
// "Payment[0]" and on in the log.
class HostPaymentBatch : public DispatchObject<IVelmoraPaymentBatch> {
public:
    explicit HostPaymentBatch(const std::vector<PaymentFields>& payments,
                              std::shared_ptr<HostControl> control = {});

    const std::vector<ComPtr<HostPayment>>& Payments() const { return payments_; }
    // How often the component asked for a payment.
    int ItemRequests() const { return itemRequests_; }

    HRESULT STDMETHODCALLTYPE get_Item(long index, IVelmoraPayment** payment) override;
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override;

private:
    std::vector<ComPtr<HostPayment>> payments_;
    int itemRequests_ = 0;
};
