#pragma once
#include <Corvane.h>

#include "bank/BankServiceImpl.h"
#include "com/CoClass.h"
#include "com/SupportErrorInfo.h"
#include "hostcall/BankNames.h"

// The payment service (coclass BankPaymentService): turns a host payment batch into a payment
// file and describes the status codes it sets on payments.
class CBankPaymentService
    : public CoClass<CBankPaymentService, &CLSID_BankPaymentService,
                     IBankServiceImpl<IBankPaymentService>, IVelmoraBankPaymentService, IDispatch,
                     ISupportErrorInfoImpl<IBankPaymentService>> {
public:
    static constexpr const wchar_t* DisplayName = PaymentServiceName;

    HRESULT FinalConstruct() { return SetName(DisplayName); }

    STDMETHOD(GetStatusText)(long code, BSTR* text) override;
    STDMETHOD(ExportPayments)(IVelmoraPaymentBatch* batch, IVelmoraBankAccount* account) override;
};
