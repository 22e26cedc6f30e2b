#pragma once
// The bank's payment settings, kept by the host's configuration object.
#include <windows.h>
#include <VelmoraEBanking.h>

#include "com/ComPtr.h"

struct PaymentSettings {
    static constexpr int BufferSize = 1024;
    // The extension is at most three characters, without the dot; a longer one is cut.
    static constexpr int ExtensionLength = 3;

    char defaultFileName[BufferSize];
    char extension[BufferSize];
    char defaultDirectory[BufferSize];
};

// Creates and runs the host's configuration object. Raises a COM error (E_POINTER) when it
// cannot be created.
ComPtr<IVelmoraBankConfiguration> CreateBankConfiguration();

// Asks the configuration object for this bank's payment settings. Raises the host's COM error
// when the call fails.
PaymentSettings ReadPaymentSettings(IVelmoraBankConfiguration* configuration);
