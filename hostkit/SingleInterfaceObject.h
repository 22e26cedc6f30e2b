#pragma once
#include <windows.h>
#include <oaidl.h>

#include <type_traits>

#include "com/ReferenceCount.h"

// QueryInterface of an object that implements one interface: IUnknown, the interface and, when
// the interface is dual, IDispatch all give the object itself with a new reference.
// Interface is named by the caller, so that a derived class's pointer is taken as the interface.
template <class Interface> HRESULT QuerySingleInterface(Interface* object, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface)) ||
        (std::is_base_of_v<IDispatch, Interface> && IsEqualIID(iid, IID_IDispatch))) {
        *out = object;
        object->AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// IUnknown of an object that implements one interface and is used on one thread only; the
// object deletes itself when the last reference is released. A new object has no reference yet.
template <class Interface> class SingleInterfaceObject : public ReferenceCounted<Interface> {
public:
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        return QuerySingleInterface<Interface>(this, iid, out);
    }

protected:
    SingleInterfaceObject() = default;
};
