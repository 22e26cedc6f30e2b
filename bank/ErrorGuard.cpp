#include "bank/ErrorGuard.h"

#include <oleauto.h>

const ErrorDescription ErrorDescriptionTable[5] = {
    {E_UNEXPECTED, L"Unexpected result"},
    {E_OUTOFMEMORY, L"Out of Memory"},
    {E_INVALIDARG, L"Invalid argument"},
    {E_NOTIMPL, L"Not implemented"},
    {E_NOINTERFACE, L"Interface not supported"},
};

HRESULT ErrorFromResult(HRESULT code) {
    if (code == DISP_E_EXCEPTION || HRESULT_FACILITY(code) == FACILITY_CONTROL) {
        return code;
    }
    ICreateErrorInfo* creator = nullptr;
    if (FAILED(CreateErrorInfo(&creator))) {
        return code;
    }
    int row = 0;
    for (int i = 0; i < 5; ++i) {
        if (ErrorDescriptionTable[i].raised == code) {
            row = i;
            break;
        }
    }
    creator->SetDescription(const_cast<LPOLESTR>(ErrorDescriptionTable[row].description));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    creator->Release();
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 0xFFFE - row);
}
