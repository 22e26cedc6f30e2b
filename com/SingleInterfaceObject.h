#pragma once
#include <windows.h>
#include <oaidl.h>

#include <type_traits>

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

// IUnknown of an object that implements one interface and is used on one thread only: the
// reference count is a plain counter, and the object deletes itself when the last reference is
// released. A new object has no reference yet.
template <class Interface> class SingleInterfaceObject : public Interface {
public:
    SingleInterfaceObject(const SingleInterfaceObject&) = delete;
    SingleInterfaceObject& operator=(const SingleInterfaceObject&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        return QuerySingleInterface<Interface>(this, iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    SingleInterfaceObject() = default;
    virtual ~SingleInterfaceObject() = default;

private:
    ULONG references_ = 0;
};
