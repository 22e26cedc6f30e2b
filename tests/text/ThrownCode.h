#pragma once
#include "platform/Platform.h"

// The code a component operation throws (a long holding an HRESULT), or S_OK when it returns.
template <typename Action> long ThrownCode(Action action) {
    try {
        action();
    } catch (long code) {
        return code;
    }
    return S_OK;
}
