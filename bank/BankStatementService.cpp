#include "bank/BankStatementService.h"

#include "com/InterfaceMap.h"
#include "hostcall/ErrorGuard.h"
#include "statements/StatementImport.h"

HRESULT CBankStatementService::InternalQueryInterface(REFIID iid, void** out) {
    static const ComInterfaceEntry<CBankStatementService> interfaces[] = {
        InterfaceEntry<CBankStatementService, IBankStatementService>(),
        InterfaceEntry<CBankStatementService, IDispatch>(),
        InterfaceEntry<CBankStatementService, ISupportErrorInfo>(),
        InterfaceEntry<CBankStatementService, IVelmoraBankStatementService>(),
    };
    return FindInterface(this, interfaces, iid, out);
}

// The statement service has no status texts: any code succeeds and nothing is written.
HRESULT CBankStatementService::GetStatusText(long, BSTR* text) {
    return MethodErrorGuard([&] {
        RequireArgument(text);
        return S_OK;
    });
}

HRESULT CBankStatementService::ImportStatement(IVelmoraBankAccount* account,
                                               IVelmoraBankStatement* statement) {
    return MethodErrorGuard([&] {
        return ::ImportStatement(account, statement, BankSortCode, BankAccountNumber, RunStatus());
    });
}
