#pragma once
#include <windows.h>

#include "com/UniqueHandle.h"

// Keeps a library loaded for its own lifetime; holds null when loading failed.
class LoadedLibrary : public UniqueHandle<HMODULE, FreeLibrary> {
public:
    explicit LoadedLibrary(const char* name) : UniqueHandle(LoadLibraryA(name)) {}
};
