#include "bank/BankServices.h"

#include "bank/BankPaymentService.h"
#include "bank/BankStatementService.h"
#include "com/ComObject.h"

namespace {

// A new service of the given class, created inside the module, with one reference.
template <class Service> ComPtr<IVelmoraBankService> NewService() {
    CComObject<Service>* service = nullptr;
    HRESULT result = CComObject<Service>::CreateInstance(&service);
    if (FAILED(result)) {
        throw static_cast<long>(result);
    }
    return ComPtr<IVelmoraBankService>::Share(service);
}

} // namespace

template <class Interface> HRESULT IBankServicesImpl<Interface>::BuildServices() {
    return MethodErrorGuard([&]() -> HRESULT {
        this->RemoveAll();
        // A service that cannot be added fails the list rather than leave it short.
        HRESULT added = this->Add(NewService<CBankPaymentService>().Get());
        if (SUCCEEDED(added)) {
            added = this->Add(NewService<CBankStatementService>().Get());
        }
        if (FAILED(added)) {
            throw static_cast<long>(added);
        }
        return S_OK;
    });
}

template class IBankServicesImpl<IBankServices>;
