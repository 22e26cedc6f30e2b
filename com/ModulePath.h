#pragma once
#include <windows.h>

#include <string>

// The full path of a loaded module's file, however long.
std::wstring ModulePath(HMODULE module);
