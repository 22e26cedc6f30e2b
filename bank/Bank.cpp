#include "bank/Bank.h"

#include <VelmoraEBanking.h>

#include "hostcall/BankNames.h"
#include "hostcall/ComError.h"
#include "hostcall/HostObjectCreation.h"

BSTR NewBankNameText() {
    int length = MultiByteToWideChar(CP_THREAD_ACP, 0, BankName, -1, nullptr, 0);
    BSTR text = length > 0 ? SysAllocStringLen(nullptr, static_cast<UINT>(length - 1)) : nullptr;
    if (text != nullptr) {
        MultiByteToWideChar(CP_THREAD_ACP, 0, BankName, -1, text, length);
    }
    return text;
}

void ConfigureHostBank() {
    ComPtr<IVelmoraBankConfiguration> configuration = CreateHostObject<IVelmoraBankConfiguration>(
        CLSID_VelmoraBankConfiguration, IID_IVelmoraBankConfiguration);
    if (!configuration) {
        RaiseMissingHostObject();
    }
    char bankName[1024];
    CopyBankName(bankName, sizeof(bankName));
    CheckHostCall(configuration->ConfigureBank(bankName, 3), configuration.Get(),
                  IID_IVelmoraBankConfiguration);
}
