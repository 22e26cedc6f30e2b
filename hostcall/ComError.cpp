#include "hostcall/ComError.h"

#include <oleauto.h>

void CheckHostCall(HRESULT result, IUnknown* object, REFIID calledInterface) {
    if (SUCCEEDED(result)) {
        return;
    }
    ComPtr<IErrorInfo> info;
    ComPtr<ISupportErrorInfo> support;
    if (object != nullptr &&
        SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, support.OutVoid())) &&
        support->InterfaceSupportsErrorInfo(calledInterface) == S_OK &&
        GetErrorInfo(0, info.Out()) != S_OK) {
        info.Reset();
    }
    throw ComError(result, info.Detach());
}

void RaiseMissingHostObject() {
    throw ComError(E_POINTER, nullptr);
}
