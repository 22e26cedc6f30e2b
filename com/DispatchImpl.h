#pragma once
#include <windows.h>
#include <oaidl.h>
#include <cguid.h>

#include "com/ComPtr.h"
#include "com/TypeInfoRequest.h"
#include "com/TypeInfoHolder.h"

// IDispatch for a dual interface, served from the interface's entry in a registered type library:
// names and calls are resolved by the type information and made through the interface's vtable.
template <class Interface, const GUID* Library, WORD Major = 1, WORD Minor = 0>
class IDispatchImpl : public Interface {
public:
    using AnsweredInterface = Interface;

    STDMETHOD(GetTypeInfoCount)(UINT* count) override { return AnswerTypeInfoCount(count, 1); }

    STDMETHOD(GetTypeInfo)(UINT index, LCID, ITypeInfo** info) override {
        const HRESULT request = CheckTypeInfoRequest(index, info);
        return FAILED(request) ? request : TypeInfo(info);
    }

    STDMETHOD(GetIDsOfNames)(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!InlineIsEqualGUID(iid, IID_NULL)) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        ComPtr<ITypeInfo> info;
        HRESULT result = TypeInfo(info.Out());
        return FAILED(result) ? result : info->GetIDsOfNames(names, count, ids);
    }

    STDMETHOD(Invoke)
    (DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* outcome,
     EXCEPINFO* exception, UINT* argumentError) override {
        if (!InlineIsEqualGUID(iid, IID_NULL)) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        ComPtr<ITypeInfo> info;
        HRESULT result = TypeInfo(info.Out());
        return FAILED(result) ? result
                              : info->Invoke(static_cast<Interface*>(this), id, flags, parameters,
                                             outcome, exception, argumentError);
    }

private:
    HRESULT TypeInfo(ITypeInfo** info) {
        return typeInfo_.Get(*Library, Major, Minor, __uuidof(Interface), info);
    }

    TypeInfoHolder typeInfo_;
};
