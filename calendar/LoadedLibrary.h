#pragma once
#include <windows.h>

#include "com/UniqueHandle.h"

// Keeps a loaded library for its own lifetime; holds null when loading failed.
using LoadedLibrary = UniqueHandle<HMODULE, FreeLibrary>;
