#include "com/ClassFactory.h"

#include "com/ModuleLock.h"

HRESULT CComClassFactory::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CComClassFactory::AddRef() {
    LONG count = InterlockedIncrement(&referenceCount_);
    if (count == 2) {
        LockModule();
    }
    return static_cast<ULONG>(count);
}

ULONG CComClassFactory::Release() {
    LONG count = InterlockedDecrement(&referenceCount_);
    if (count == 1) {
        UnlockModule();
    } else if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT CComClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    // An aggregated object can only be handed to its outer object as the inner IUnknown.
    if (outer != nullptr && !InlineIsEqualGUID(iid, IID_IUnknown)) {
        return CLASS_E_NOAGGREGATION;
    }
    return creator_(outer, iid, out);
}

HRESULT CComClassFactory::LockServer(BOOL lock) {
    if (lock) {
        LockModule();
    } else {
        UnlockModule();
    }
    return S_OK;
}
