#include "bank/ThreadError.h"

#include <oleauto.h>

#include "com/Bstr.h"
#include "com/ComPtr.h"

ThreadError TakeThreadError() {
    ThreadError error;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info) {
        return error;
    }
    error.present = true;
    Bstr text;
    if (SUCCEEDED(info->GetDescription(text.Out())) && text.Get() != nullptr) {
        error.description = text.Get();
    }
    if (SUCCEEDED(info->GetSource(text.Out())) && text.Get() != nullptr) {
        error.source = text.Get();
    }
    return error;
}

void ClearThreadError() {
    SetErrorInfo(0, nullptr);
}
