#pragma once
// The payment run: the payment service's ExportPayments, which writes a payment file from a host
// payment batch.
#include <windows.h>
#include <VelmoraBankPayments.h>

// How the last payment run ended: the payment service's status.
enum PaymentRunStatus : long {
    Succeeded = 0,       // every payment written and valid
    PaymentsInvalid = 1, // the file was written, but payments failed validation
    Failed = 2,          // the file could not be written completely
    Cancelled = 3,       // the user cancelled a dialog
};

// Reads the bank's payment settings, lets the user choose the format, processing date and file,
// writes one line per payment of the batch and leaves the run's PaymentRunStatus in status.
// Returns S_FALSE when a payment failed validation, else S_OK (also after a cancellation or a
// failure). Raises E_INVALIDARG for a null batch (status then Succeeded), and the host's COM
// error when the configuration object cannot be created or its settings call fails (status
// untouched). Meant to run inside MethodErrorGuard.
HRESULT RunPaymentExport(IVelmoraPaymentBatch* batch, long& status);
