#include <initguid.h>

#include "TestCounter.h"

#include "com/ComPtr.h"

HRESULT CCounter::FinalConstruct() {
    HRESULT result = NextConstructionResult;
    NextConstructionResult = S_OK;
    return result;
}

HRESULT CCounter::get_Value(long* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = value_;
    return S_OK;
}

HRESULT CCounter::put_Value(long value) {
    value_ = value;
    return S_OK;
}

HRESULT CCounter::Fail(long code) {
    ComPtr<ICreateErrorInfo> creator;
    if (SUCCEEDED(CreateErrorInfo(creator.Out()))) {
        creator->SetDescription(const_cast<LPOLESTR>(CounterFailureDescription));
        ComPtr<IErrorInfo> info = creator.As<IErrorInfo>(IID_IErrorInfo);
        SetErrorInfo(0, info.Get());
    }
    return code;
}

HRESULT CCounter::Reset() {
    value_ = 0;
    return S_OK;
}
