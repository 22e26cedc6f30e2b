#include "bank/KeyLookup.h"

#include <oleauto.h>

#include "com/Bstr.h"
#include "com/Variant.h"

namespace {

bool IsNumber(VARTYPE type) {
    switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return true;
    default:
        return false;
    }
}

long FindName(BSTR text, int count, const ElementNameReader& nameAt) {
    for (int index = 0; index < count; ++index) {
        Bstr name;
        if (SUCCEEDED(nameAt(index, name.Out())) &&
            VarBstrCmp(name.Get(), text, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ) {
            return index;
        }
    }
    return -1;
}

long ConvertedPosition(const VARIANT* key, int count) {
    Variant position;
    if (FAILED(VariantCopyInd(position.Get(), const_cast<VARIANT*>(key))) ||
        FAILED(VariantChangeType(position.Get(), position.Get(), 0, VT_I4))) {
        return -1;
    }
    long index = V_I4(position.Get());
    return index < count ? index : -1;
}

} // namespace

long FindKeyIndex(const VARIANT* key, int count, const ElementNameReader& nameAt) {
    if (key != nullptr && V_VT(key) == (VT_VARIANT | VT_BYREF)) {
        key = V_VARIANTREF(key);
    }
    if (key == nullptr || (V_VT(key) & VT_ARRAY) != 0) {
        return -1;
    }
    bool byReference = (V_VT(key) & VT_BYREF) != 0;
    if (byReference && V_BYREF(key) == nullptr) {
        return -1;
    }
    VARTYPE type = V_VT(key) & VT_TYPEMASK;
    if (type == VT_BSTR) {
        return FindName(byReference ? *V_BSTRREF(key) : V_BSTR(key), count, nameAt);
    }
    if (IsNumber(type)) {
        return ConvertedPosition(key, count);
    }
    return -1;
}
