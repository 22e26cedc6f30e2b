#include "tools/velmora-host/BankAccount.h"

#include "tools/velmora-host/TextConversion.h"

HRESULT HostBankDetails::get_AccountNumber(BSTR* number) {
    return HandOutText(accountNumber_, number);
}

HRESULT HostBankDetails::get_SortCode(BSTR* sortCode) {
    return HandOutText(sortCode_, sortCode);
}

HRESULT HostBankAccount::get_Details(IVelmoraBankDetails** details) {
    if (details == nullptr) {
        return E_POINTER;
    }
    *details = MakeHostObject<HostBankDetails>(sortCode_, accountNumber_).Detach();
    return S_OK;
}
