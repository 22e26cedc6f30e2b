#include "bank/BankStatementService.h"

#include "bank/ErrorGuard.h"
#include "com/InterfaceMap.h"

HRESULT CBankStatementService::InternalQueryInterface(REFIID iid, void** out) {
    static const ComInterfaceEntry<CBankStatementService> interfaces[] = {
        InterfaceEntry<CBankStatementService, IBankStatementService>(),
        InterfaceEntry<CBankStatementService, IDispatch>(),
        InterfaceEntry<CBankStatementService, ISupportErrorInfo>(),
        InterfaceEntry<CBankStatementService, IVelmoraBankStatementService>(),
    };
    return FindInterface(this, interfaces, iid, out);
}

HRESULT CBankStatementService::GetStatusText(long, BSTR*) {
    return MethodErrorGuard([]() -> HRESULT { throw static_cast<long>(E_NOTIMPL); });
}

HRESULT CBankStatementService::ImportStatement(IVelmoraBankAccount*, IVelmoraBankStatement*) {
    return MethodErrorGuard([]() -> HRESULT { throw static_cast<long>(E_NOTIMPL); });
}
