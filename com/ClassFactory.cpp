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
    const ULONG count = Counted::AddRef();
    if (count == 2) {
        LockModule();
    }
    return count;
}

// The count is the base's answer: the object may be gone once it has given it.
ULONG CComClassFactory::Release() {
    const ULONG count = Counted::Release();
    if (count == 1) {
        UnlockModule();
    }
    return count;
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
