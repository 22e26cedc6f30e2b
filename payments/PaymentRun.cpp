#include "payments/PaymentRun.h"

#include "calendar/UserInteraction.h"
#include "com/ComPtr.h"
#include "payments/BacsIdLine.h"
#include "payments/HostPaymentSource.h"
#include "payments/InitialPath.h"
#include "payments/OneToOneLine.h"
#include "payments/PaymentSettings.h"
#include "payments/SaveDialog.h"
#include "payments/VirtualStore.h"

namespace {

// The number of payments in the batch; a batch that cannot tell counts as empty.
long CountPayments(IVelmoraPaymentBatch* batch) {
    long count = 0;
    if (FAILED(batch->get_Count(&count))) {
        count = 0;
    }
    return count;
}

// Writes one line per payment, in batch order, and closes the file; the outcome goes into the
// status and the run result. Stops at
// the first payment the batch cannot hand out and at the first failed write.
HRESULT WritePayments(IVelmoraPaymentBatch* batch, long count, const PaymentFormatChoice& choice,
                      PaymentFile& file, long& status) {
    HRESULT result = S_OK;
    for (long index = 0; index < count; ++index) {
        ComPtr<IVelmoraPayment> payment;
        if (FAILED(batch->get_Item(index, payment.Out())) || !payment) {
            status = Failed;
            break;
        }
        HostPaymentSource values(payment.Get());
        const bool valid = choice.format == OneToOne
                               ? WriteOneToOneLine(file.Get(), choice.processingDate, values)
                               : WriteBacsIdLine(values, file.Get());
        if (!valid) {
            result = S_FALSE;
            status = PaymentsInvalid;
        }
        if (file.WriteFailed()) {
            status = Failed;
            break;
        }
    }
    // Whatever the buffer still holds must reach the disk too.
    if (!file.Close()) {
        status = Failed;
    }
    return result;
}

} // namespace

HRESULT RunPaymentExport(IVelmoraPaymentBatch* batch, long& status) {
    const ComPtr<IVelmoraBankConfiguration> configuration = CreateBankConfiguration();
    const PaymentSettings settings = ReadPaymentSettings(configuration.Get());
    const CString initialPath =
        BuildInitialPath(settings.defaultFileName, settings.defaultDirectory);
    status = Succeeded;
    const std::string filter = BuildPaymentFileFilter(settings.extension);
    if (batch == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }

    const PaymentFormatChoice choice =
        CurrentUserInteraction().ChoosePaymentFormat(GetActiveWindow(), OneToOne);
    if (choice.endCode != IDOK) {
        status = Cancelled;
        return S_OK;
    }
    CString chosenPath;
    if (!ChoosePaymentFile(initialPath, settings.extension, filter, chosenPath)) {
        status = Cancelled;
        return S_OK;
    }

    const long count = CountPayments(batch);
    const bool administrativeRights = HasAdministrativeRights();
    const CString redirectedPath = RedirectedPath(chosenPath.Text());
    PaymentFile file = OpenPaymentFile(chosenPath.Text(), redirectedPath, administrativeRights);
    if (!file) {
        status = Failed;
        return S_OK;
    }
    const HRESULT result = WritePayments(batch, count, choice, file, status);
    ShowRedirectNotice(redirectedPath, administrativeRights);
    return result;
}
