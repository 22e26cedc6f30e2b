#include "bank/ComError.h"

#include <oleauto.h>

ComError::ComError(HRESULT result, IErrorInfo* info) : result_(result), info_(info) {}

ComError::ComError(const ComError& other) : result_(other.result_), info_(other.info_) {
    if (info_ != nullptr) {
        info_->AddRef();
    }
}

ComError::~ComError() {
    if (info_ != nullptr) {
        info_->Release();
    }
}

void CheckHostCall(HRESULT result, IUnknown* object, REFIID calledInterface) {
    if (SUCCEEDED(result)) {
        return;
    }
    IErrorInfo* info = nullptr;
    ISupportErrorInfo* support = nullptr;
    if (object != nullptr &&
        SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo,
                                         reinterpret_cast<void**>(&support)))) {
        if (support->InterfaceSupportsErrorInfo(calledInterface) == S_OK &&
            GetErrorInfo(0, &info) != S_OK) {
            info = nullptr;
        }
        support->Release();
    }
    throw ComError(result, info);
}

void RaiseMissingHostObject() { throw ComError(E_POINTER, nullptr); }
