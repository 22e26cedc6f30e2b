#include "bank/BankStatementService.h"

#include "hostcall/ErrorGuard.h"
#include "statements/StatementImport.h"

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
