#include "statements/AccountDetails.h"

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "hostcall/ComError.h"

namespace {

CString AccountText(const Bstr& text) {
    return CString(text.Get()).Head(AccountTextLength);
}

CString DigitsOf(const CString& text) {
    CString digits;
    char digit[2] = {};
    for (const char* next = text.Text(); *next != '\0'; ++next) {
        if (*next >= '0' && *next <= '9') {
            digit[0] = *next;
            digits.Append(digit);
        }
    }
    return digits;
}

// Byte for byte. Compared here rather than by the runtime: the texts are a few characters long
// and compared for every line of a statement.
bool SameText(const char* first, const char* second) {
    while (*first != '\0' && *first == *second) {
        ++first;
        ++second;
    }
    return *first == *second;
}

} // namespace

void ReadAccountDetails(IVelmoraBankAccount* account, CString& bankSortCode,
                        CString& bankAccountNumber) {
    if (account == nullptr) {
        RaiseMissingHostObject();
    }
    ComPtr<IVelmoraBankDetails> details;
    if (FAILED(account->get_Details(details.Out())) || !details) {
        return;
    }
    Bstr accountNumber;
    details->get_AccountNumber(accountNumber.Out());
    if (accountNumber.Get() != nullptr) {
        bankAccountNumber = AccountText(accountNumber);
    }
    Bstr sortCode;
    details->get_SortCode(sortCode.Out());
    if (sortCode.Get() != nullptr) {
        bankSortCode = DigitsOf(AccountText(sortCode));
    }
}

bool MatchesAccount(const CTransactionRecord& record, const CString& bankSortCode,
                    const CString& bankAccountNumber) {
    return record.HoldsTransaction() && SameText(record.SortCode.Text(), bankSortCode.Text()) &&
           SameText(record.AccountNumber.Text(), bankAccountNumber.Text());
}
