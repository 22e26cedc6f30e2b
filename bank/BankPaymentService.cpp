#include "bank/BankPaymentService.h"

#include "hostcall/ErrorGuard.h"
#include "payments/PaymentRun.h"
#include "payments/StatusText.h"

HRESULT CBankPaymentService::GetStatusText(long code, BSTR* text) {
    return MethodErrorGuard([&] { return WritePaymentStatusText(code, text); });
}

// The bank account the host may pass is not needed to write a payment file.
HRESULT CBankPaymentService::ExportPayments(IVelmoraPaymentBatch* batch, IVelmoraBankAccount*) {
    return MethodErrorGuard([&] { return RunPaymentExport(batch, RunStatus()); });
}
