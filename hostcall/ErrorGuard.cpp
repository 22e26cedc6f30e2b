#include "hostcall/ErrorGuard.h"

#include <oleauto.h>

#include "com/ComPtr.h"

const ErrorDescription ErrorDescriptionTable[5] = {
    {E_UNEXPECTED, L"Unexpected result"},        {E_OUTOFMEMORY, L"Out of Memory"},
    {E_INVALIDARG, L"Invalid argument"},         {E_NOTIMPL, L"Not implemented"},
    {E_NOINTERFACE, L"Interface not supported"},
};

HRESULT ErrorFromResult(HRESULT code) {
    // Already translated by an inner guard, or a host call's exception: passed on as it is.
    if (code == DISP_E_EXCEPTION || HRESULT_FACILITY(code) == FACILITY_CONTROL) {
        return code;
    }
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(CreateErrorInfo(creator.Out()))) {
        return code;
    }
    // A code the table does not know is described by its first row.
    int row = 0;
    for (int i = 0; i < 5; ++i) {
        if (ErrorDescriptionTable[i].raised == code) {
            row = i;
            break;
        }
    }
    creator->SetDescription(const_cast<LPOLESTR>(ErrorDescriptionTable[row].description));
    ComPtr<IErrorInfo> info = creator.As<IErrorInfo>(IID_IErrorInfo);
    if (info) {
        SetErrorInfo(0, info.Get());
    }
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 0xFFFE - row);
}
