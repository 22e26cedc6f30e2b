#pragma once
// Arguments of calls as callers pass them: a variant given a number or a new copy of a text.
#include <windows.h>
#include <oleauto.h>

#include "com/Variant.h"

inline void SetNumber(Variant& variant, long number) {
    VARIANT* value = variant.Out();
    V_VT(value) = VT_I4;
    V_I4(value) = number;
}

inline void SetText(Variant& variant, const wchar_t* text) {
    VARIANT* value = variant.Out();
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(text);
}
