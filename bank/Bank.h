#pragma once
#include <Corvane.h>

#include "bank/BankServices.h"
#include "bank/CorvaneDispatch.h"
#include "com/Bstr.h"
#include "com/CoClass.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/SupportErrorInfo.h"
#include "hostcall/ErrorGuard.h"

// A new BSTR of the bank's name, converted through the thread's ANSI code page; null when it
// cannot be allocated.
BSTR NewBankNameText();

// Hands the bank's name to the host's configuration object. Raises a ComError when the object
// cannot be created or its call fails.
void ConfigureHostBank();

// The bank (IVelmoraBank) behind the dual interface Interface, owning the services list of class
// Services, which it creates on the first request.
template <class Services, class Interface> class IBankImpl : public CorvaneDispatch<Interface> {
public:
    STDMETHOD(get_Name)(BSTR* name) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(name);
            *name = SysAllocStringLen(name_.Get(), name_.Length());
            if (*name == nullptr) {
                throw static_cast<long>(E_OUTOFMEMORY);
            }
            return S_OK;
        });
    }

    // Always the same list: the bank keeps the one it made until it goes.
    STDMETHOD(get_Services)(IVelmoraBankServices** services) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(services);
            *services = nullptr;
            if (!services_) {
                CComObject<Services>* created = nullptr;
                HRESULT result = CComObject<Services>::CreateInstance(&created);
                if (FAILED(result)) {
                    throw static_cast<long>(result);
                }
                services_ = ComPtr<CComObject<Services>>::Share(created);
            }
            IVelmoraBankServices* list = services_.Get();
            list->AddRef();
            *services = list;
            return S_OK;
        });
    }

    STDMETHOD(get_FixedNumber)(long* number) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(number);
            *number = 1;
            return S_OK;
        });
    }

    // The argument is reserved and not read.
    STDMETHOD(Configure)(long) override {
        return MethodErrorGuard([]() -> HRESULT {
            ConfigureHostBank();
            return S_OK;
        });
    }

protected:
    // Sets the bank's name at construction; E_OUTOFMEMORY when it cannot be stored.
    HRESULT SetName() {
        name_.Reset(NewBankNameText());
        return name_.Get() == nullptr ? E_OUTOFMEMORY : S_OK;
    }

private:
    Bstr name_;
    ComPtr<CComObject<Services>> services_;
};

// The bank (coclass Bank): the host's entry point into the component.
class CBank : public CoClass<CBank, &CLSID_Bank, IBankImpl<CBankServices, IBank>, IVelmoraBank,
                             IDispatch, ISupportErrorInfoImpl<IBank>> {
public:
    HRESULT FinalConstruct() { return SetName(); }
};
