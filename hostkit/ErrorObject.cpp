#include "hostkit/ErrorObject.h"

#include <windows.h>
#include <oleauto.h>

#include "com/ComPtr.h"

void LeaveErrorObject(const std::wstring& description) {
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(CreateErrorInfo(creator.Out()))) {
        return;
    }
    creator->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    SetErrorInfo(0, creator.As<IErrorInfo>(IID_IErrorInfo).Get());
}
