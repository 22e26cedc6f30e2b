#pragma once
#include <Corvane.h>

#include "bank/BankServiceImpl.h"
#include "com/CoClass.h"
#include "com/SupportErrorInfo.h"
#include "hostcall/BankNames.h"
#include "text/CString.h"

// The statement service (coclass BankStatementService): imports a statement file for the host's
// bank account.
class CBankStatementService
    : public CoClass<CBankStatementService, &CLSID_BankStatementService,
                     IBankServiceImpl<IBankStatementService>, IDispatch,
                     ISupportErrorInfoImpl<IBankStatementService>, IVelmoraBankStatementService> {
public:
    static constexpr const wchar_t* DisplayName = StatementServiceName;

    HRESULT FinalConstruct() { return SetName(DisplayName); }

    STDMETHOD(GetStatusText)(long code, BSTR* text) override;
    STDMETHOD(ImportStatement)
    (IVelmoraBankAccount* account, IVelmoraBankStatement* statement) override;

    // The host account's sort code (digits only) and account number from the last import that
    // could read them; empty until then.
    CString BankSortCode;
    CString BankAccountNumber;
};
