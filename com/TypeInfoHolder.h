#pragma once
#include <windows.h>
#include <oaidl.h>

#include "com/ComPtr.h"

// The type information of one interface, loaded on first use from the type library registered
// under the given identifier and version, and kept while its holder lives.
class TypeInfoHolder {
public:
    HRESULT Get(REFGUID library, WORD major, WORD minor, REFIID iid, ITypeInfo** out);

private:
    ComPtr<ITypeInfo> info_;
};
