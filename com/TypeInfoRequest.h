#pragma once
#include <windows.h>
#include <oaidl.h>

// The argument checks every IDispatch implementation makes before it looks at its type
// information.

// GetTypeInfoCount: stores count; E_POINTER for a null out-pointer.
inline HRESULT AnswerTypeInfoCount(UINT* out, UINT count) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = count;
    return S_OK;
}

// GetTypeInfo: S_OK when the request may be served (the out-pointer then holds null);
// E_POINTER for a null out-pointer, DISP_E_BADINDEX for any index but 0.
inline HRESULT CheckTypeInfoRequest(UINT index, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    return index == 0 ? S_OK : DISP_E_BADINDEX;
}
