#include "payments/PaymentSettings.h"

#include "hostcall/BankNames.h"
#include "hostcall/ComError.h"
#include "hostcall/HostObjectCreation.h"

namespace {
// The settings are selected by the bank's name, in a zero-filled buffer of this size.
constexpr int BankNameSize = 100;
} // namespace

// The payment run uses a configuration object that could not be run as it is.
ComPtr<IVelmoraBankConfiguration> CreateBankConfiguration() {
    ComPtr<IVelmoraBankConfiguration> configuration = CreateHostObject<IVelmoraBankConfiguration>(
        CLSID_VelmoraBankConfiguration, IID_IVelmoraBankConfiguration, HostObjectRun::Attempted);
    if (!configuration) {
        RaiseMissingHostObject();
    }
    return configuration;
}

PaymentSettings ReadPaymentSettings(IVelmoraBankConfiguration* configuration) {
    char bankName[BankNameSize];
    CopyBankName(bankName, BankNameSize);
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
