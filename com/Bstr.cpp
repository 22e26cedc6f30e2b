#include "com/Bstr.h"

Bstr Bstr::Copy(const wchar_t* text) {
    BSTR copy = SysAllocString(text);
    if (copy == nullptr && text != nullptr) {
        throw static_cast<long>(E_OUTOFMEMORY);
    }
    return Bstr(copy);
}
