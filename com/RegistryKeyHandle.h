#pragma once
#include <windows.h>

#include "com/UniqueHandle.h"

// Closes an open registry key on every path.
using RegistryKeyHandle = UniqueHandle<HKEY, RegCloseKey>;

// True when the key has subkeys, or when that cannot be told.
inline bool HasSubkeys(HKEY key) {
    DWORD subkeys = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
           subkeys > 0;
}
