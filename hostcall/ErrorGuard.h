#pragma once
#include <windows.h>

#include "hostcall/ComError.h"

// The code an operation hands back for a result code raised inside it, with an error object
// on the thread describing it (see ErrorDescriptionTable).
HRESULT ErrorFromResult(HRESULT code);

// One row of the table of raised codes the component describes to the host.
struct ErrorDescription {
    HRESULT raised;
    const wchar_t* description;
};
extern const ErrorDescription ErrorDescriptionTable[5];

// Runs the body of an interface operation and turns whatever it raises into the operation's
// result: a COM error from a host call gives DISP_E_EXCEPTION, a raised result code (a long)
// its ErrorFromResult, anything else E_UNEXPECTED without an error object.
template <typename Body> HRESULT MethodErrorGuard(Body&& body) noexcept {
    try {
        return body();
    } catch (const ComError&) {
        return DISP_E_EXCEPTION;
    } catch (long code) {
        return ErrorFromResult(code);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// Raises E_INVALIDARG for a pointer argument the caller left null.
template <typename Pointee> void RequireArgument(const Pointee* pointer) {
    if (pointer == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
}
