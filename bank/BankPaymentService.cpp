#include "bank/BankPaymentService.h"

#include "com/InterfaceMap.h"
#include "hostcall/ErrorGuard.h"
#include "payments/PaymentRun.h"
#include "payments/StatusText.h"

HRESULT CBankPaymentService::InternalQueryInterface(REFIID iid, void** out) {
    static const ComInterfaceEntry<CBankPaymentService> interfaces[] = {
        InterfaceEntry<CBankPaymentService, IBankPaymentService>(),
        InterfaceEntry<CBankPaymentService, IVelmoraBankPaymentService>(),
        InterfaceEntry<CBankPaymentService, IDispatch>(),
        InterfaceEntry<CBankPaymentService, ISupportErrorInfo>(),
    };
    return FindInterface(this, interfaces, iid, out);
}

HRESULT CBankPaymentService::GetStatusText(long code, BSTR* text) {
    return MethodErrorGuard([&] { return WritePaymentStatusText(code, text); });
}

// The bank account the host may pass is not needed to write a payment file.
HRESULT CBankPaymentService::ExportPayments(IVelmoraPaymentBatch* batch, IVelmoraBankAccount*) {
    return MethodErrorGuard([&] { return RunPaymentExport(batch, RunStatus()); });
}
