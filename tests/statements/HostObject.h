#pragma once
// A host object as the host framework would make it: counted references, the interface it
// implements, IUnknown and, for dual interfaces, IDispatch (not used by the component).
#include <windows.h>
#include <oaidl.h>

#include <type_traits>

// Host objects alive in this process, to see that the component releases every one.
int& LiveHostObjects();

template <typename Interface> class HostObject : public Interface {
public:
    explicit HostObject(const IID& iid) : iid_(iid) { ++LiveHostObjects(); }
    virtual ~HostObject() { --LiveHostObjects(); }
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        const bool dispatch = std::is_base_of<IDispatch, Interface>::value;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_) ||
            (dispatch && IsEqualIID(iid, IID_IDispatch))) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

private:
    const IID iid_;
    ULONG references_ = 1;
};

// A host object of a dual interface, which the component calls through its vtable only.
template <typename Interface> class DualHostObject : public HostObject<Interface> {
public:
    using HostObject<Interface>::HostObject;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};
