#include "text/CString.h"

bool CString::LoadResourceText(HINSTANCE module, UINT id) {
    char loaded[WorkingBufferSize] = {};
    LoadStringA(module, id, loaded, WorkingBufferSize);
    Assign(loaded);
    return Length() > 0;
}

BSTR CString::ToBstr() const {
    const int length = Length();
    const int wideLength =
        length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, Text(), length, nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (result != nullptr && wideLength > 0) {
        MultiByteToWideChar(CP_ACP, 0, Text(), length, result, wideLength);
    }
    return result;
}
