#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <type_traits>
#include <utility>

#include "com/ComPtr.h"
#include "com/TypeInfoRequest.h"

// IDispatch of a dual interface, served from the interface's type information when the object is
// given it. Without it only early binding works: GetTypeInfoCount gives 0 and the other
// operations report that they are not implemented. Base is the class that implements the rest
// of the interface (the interface itself when the derived class does).
// The component's own objects use IDispatchImpl (com/DispatchImpl.h) instead: it always has type
// information, loaded from the registered library on first use, and refuses an interface
// identifier other than IID_NULL; late-bound callers of either side see what they always saw.
template <class Interface, class Base = Interface> class TypeInfoDispatch : public Base {
    static_assert(std::is_base_of_v<IDispatch, Interface> && std::is_base_of_v<Interface, Base>,
                  "a dual interface, implemented by Base");

public:
    STDMETHOD(GetTypeInfoCount)(UINT* count) override {
        return AnswerTypeInfoCount(count, typeInfo_ ? 1 : 0);
    }
    STDMETHOD(GetTypeInfo)(UINT index, LCID, ITypeInfo** info) override {
        const HRESULT request = CheckTypeInfoRequest(index, info);
        if (FAILED(request)) {
            return request;
        }
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        *info = ComPtr<ITypeInfo>(typeInfo_).Detach();
        return S_OK;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        return DispGetIDsOfNames(typeInfo_.Get(), names, count, ids);
    }
    STDMETHOD(Invoke)
    (DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
     EXCEPINFO* exception, UINT* argumentError) override {
        if (!typeInfo_) {
            return E_NOTIMPL;
        }
        return DispInvoke(static_cast<Interface*>(this), typeInfo_.Get(), id, flags, parameters,
                          result, exception, argumentError);
    }

protected:
    TypeInfoDispatch() = default;
    // The rest of the arguments build Base.
    template <typename... BaseArguments>
    explicit TypeInfoDispatch(ComPtr<ITypeInfo> typeInfo, BaseArguments&&... arguments)
        : Base(std::forward<BaseArguments>(arguments)...), typeInfo_(std::move(typeInfo)) {}

private:
    ComPtr<ITypeInfo> typeInfo_;
};
