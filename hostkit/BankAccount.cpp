#include "hostkit/BankAccount.h"

#include "hostkit/TextConversion.h"

HRESULT HostBankDetails::get_AccountNumber(BSTR* number) {
    if (const auto failure = Enter("AccountNumber")) {
        return AnswerFailure(*failure, number);
    }
    return HandOutText(accountNumber_, number);
}

HRESULT HostBankDetails::get_SortCode(BSTR* sortCode) {
    if (const auto failure = Enter("SortCode")) {
        return AnswerFailure(*failure, sortCode);
    }
    return HandOutText(sortCode_, sortCode);
}

HRESULT HostBankAccount::get_Details(IVelmoraBankDetails** details) {
    if (const auto failure = Enter("Details")) {
        return AnswerFailure(*failure, details);
    }
    if (details == nullptr) {
        return E_POINTER;
    }
    *details = MakeHostObject<HostBankDetails>(sortCode_, accountNumber_, Control()).Detach();
    return S_OK;
}
