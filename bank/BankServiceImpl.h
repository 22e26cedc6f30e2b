#pragma once
#include <windows.h>
#include <oaidl.h>

#include "bank/CorvaneDispatch.h"
#include "com/Bstr.h"
#include "hostcall/ErrorGuard.h"

// The operations every bank service answers (IVelmoraBankService), for a service whose dual
// interface is Interface: its display name, set once, and the status of its last run.
template <class Interface> class IBankServiceImpl : public CorvaneDispatch<Interface> {
public:
    // A new copy of the display name, byte for byte.
    STDMETHOD(get_Name)(BSTR* name) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(name);
            *name = SysAllocStringByteLen(reinterpret_cast<const char*>(name_.Get()),
                                          SysStringByteLen(name_.Get()));
            if (*name == nullptr) {
                throw static_cast<long>(E_OUTOFMEMORY);
            }
            return S_OK;
        });
    }

    STDMETHOD(get_Status)(long* status) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(status);
            *status = status_;
            return S_OK;
        });
    }

    // Any value is kept as it is; this cannot fail.
    STDMETHOD(put_Status)(long status) override {
        status_ = status;
        return S_OK;
    }

    // The component supplies nothing through the optional values: the result only tells that
    // the caller gave somewhere to put one.
    STDMETHOD(OptionalValue)(VARIANT* value) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(value);
            return S_OK;
        });
    }

    STDMETHOD(OptionalKeyedValue)(long, VARIANT* value) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(value);
            return S_OK;
        });
    }

protected:
    // Sets the display name at construction; E_OUTOFMEMORY when it cannot be stored.
    HRESULT SetName(const wchar_t* name) {
        name_.Reset(SysAllocString(name));
        return name_.Get() == nullptr ? E_OUTOFMEMORY : S_OK;
    }
    // The status value the service's own run writes.
    long& RunStatus() { return status_; }

private:
    Bstr name_;
    long status_ = 0;
};
