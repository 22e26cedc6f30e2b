#include "com/TypeInfoHolder.h"

#include <oleauto.h>

HRESULT TypeInfoHolder::Get(REFGUID library, WORD major, WORD minor, REFIID iid, ITypeInfo** out) {
    if (!info_) {
        ComPtr<ITypeLib> typeLibrary;
        HRESULT result = LoadRegTypeLib(library, major, minor, LOCALE_NEUTRAL, typeLibrary.Out());
        if (SUCCEEDED(result)) {
            result = typeLibrary->GetTypeInfoOfGuid(iid, info_.Out());
        }
        if (FAILED(result)) {
            info_.Reset();
            return result;
        }
    }
    *out = ComPtr<ITypeInfo>(info_).Detach();
    return S_OK;
}
