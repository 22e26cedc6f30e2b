#include "bank/BankPaymentService.h"

#include "bank/ErrorGuard.h"
#include "com/InterfaceMap.h"

HRESULT CBankPaymentService::InternalQueryInterface(REFIID iid, void** out) {
    static const ComInterfaceEntry<CBankPaymentService> interfaces[] = {
        InterfaceEntry<CBankPaymentService, IBankPaymentService>(),
        InterfaceEntry<CBankPaymentService, IVelmoraBankPaymentService>(),
        InterfaceEntry<CBankPaymentService, IDispatch>(),
        InterfaceEntry<CBankPaymentService, ISupportErrorInfo>(),
    };
    return FindInterface(this, interfaces, iid, out);
}

HRESULT CBankPaymentService::GetStatusText(long, BSTR*) {
    return MethodErrorGuard([]() -> HRESULT { throw static_cast<long>(E_NOTIMPL); });
}

HRESULT CBankPaymentService::ExportPayments(IVelmoraPaymentBatch*, IVelmoraBankAccount*) {
    return MethodErrorGuard([]() -> HRESULT { throw static_cast<long>(E_NOTIMPL); });
}
