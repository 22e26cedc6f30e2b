#pragma once
#include <windows.h>
#include <oaidl.h>

#include "com/ComPtr.h"

// A failed call on a host object, raised inside the component and turned into
// DISP_E_EXCEPTION by MethodErrorGuard. It owns the error information that came with it.
class ComError {
public:
    // Takes ownership of the error information (which may be null).
    ComError(HRESULT result, IErrorInfo* info)
        : result_(result), info_(ComPtr<IErrorInfo>::Adopt(info)) {}

    HRESULT Result() const { return result_; }
    IErrorInfo* Info() const { return info_.Get(); }

private:
    HRESULT result_;
    ComPtr<IErrorInfo> info_;
};

// Raises a ComError when a host call failed. When the object supports error information for
// the interface called, its error object is taken off the thread and travels with the error.
void CheckHostCall(HRESULT result, IUnknown* object, REFIID calledInterface);

// Raises the ComError for the use of a host object that could not be created.
[[noreturn]] void RaiseMissingHostObject();
