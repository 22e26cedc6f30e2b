#pragma once
#include "com/ComPtr.h"
#include "tools/velmora-host/HostTypeLibraries.h"

#include <windows.h>
#include <oleauto.h>

#include <type_traits>
#include <utility>

// Reference counting and QueryInterface for a host object that implements one host interface.
// The host's objects live in its single apartment, so the count is a plain counter. An object
// deletes itself when its last reference is released.
template <typename Interface> class HostObject : public Interface {
public:
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface)) ||
            (std::is_base_of_v<IDispatch, Interface> && IsEqualIID(iid, IID_IDispatch))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
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

protected:
    HostObject() = default;
    virtual ~HostObject() = default;

private:
    ULONG references_ = 0;
};

// A host object whose interface is dual: late-bound calls are served from the interface's
// description in the host's type libraries. Without those libraries only early binding works
// and the IDispatch operations report that they are not implemented.
template <typename Interface> class DispatchObject : public HostObject<Interface> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = typeInfo_ ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        *info = ComPtr<ITypeInfo>(typeInfo_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        return DispGetIDsOfNames(typeInfo_.Get(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        return DispInvoke(static_cast<Interface*>(this), typeInfo_.Get(), id, flags, parameters,
                          result, exception, argumentError);
    }

protected:
    DispatchObject() : typeInfo_(HostTypeLibraries::InterfaceTypeInfo(__uuidof(Interface))) {}

private:
    ComPtr<ITypeInfo> typeInfo_;
};

// Creates a host object and hands out its first reference.
template <typename Object, typename... Arguments>
ComPtr<Object> MakeHostObject(Arguments&&... arguments) {
    return ComPtr<Object>::Share(new Object(std::forward<Arguments>(arguments)...));
}
