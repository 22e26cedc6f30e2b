#include "payments/PaymentSettings.h"

#include <ole2.h>

#include "bank/ComError.h"

namespace {
// The settings are selected by the bank's name, in a zero-filled buffer of this size.
constexpr int BankNameSize = 100;
constexpr char BankName[] = "Northern Bank";
} // namespace

ComPtr<IVelmoraBankConfiguration> CreateBankConfiguration() {
    ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(CLSID_VelmoraBankConfiguration, nullptr, CLSCTX_ALL, IID_IUnknown,
                                object.OutVoid()))) {
        RaiseMissingHostObject();
    }
    OleRun(object.Get());
    ComPtr<IVelmoraBankConfiguration> configuration =
        object.As<IVelmoraBankConfiguration>(IID_IVelmoraBankConfiguration);
    if (!configuration) {
        RaiseMissingHostObject();
    }
    return configuration;
}

PaymentSettings ReadPaymentSettings(IVelmoraBankConfiguration* configuration) {
    char bankName[BankNameSize] = {};
    lstrcpynA(bankName, BankName, BankNameSize);
    // The buffers are larger than the host fills, and are ended here, so that no host value
    // can run past them.
    PaymentSettings settings = {};
    CheckHostCall(configuration->GetPaymentSettings(bankName, settings.defaultFileName,
                                                    settings.extension, settings.defaultDirectory),
                  configuration, IID_IVelmoraBankConfiguration);
    settings.defaultFileName[PaymentSettings::BufferSize - 1] = '\0';
    settings.extension[PaymentSettings::ExtensionLength] = '\0';
    settings.defaultDirectory[PaymentSettings::BufferSize - 1] = '\0';
    return settings;
}
