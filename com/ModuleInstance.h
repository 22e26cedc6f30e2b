#pragma once
#include <windows.h>

// The module this code is linked into (the component DLL, or a test program): where its
// resources (string table, dialog, icon, registry scripts, type library) are loaded from.
HINSTANCE ModuleInstance();
