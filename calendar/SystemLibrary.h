#pragma once
#include <windows.h>

// Loads the named library (a file name such as L"comctl32.dll") from the system folder only,
// never from the host program's folder or the current folder, where a planted copy would be
// found first. Null when it cannot be loaded; the caller frees what it gets.
HMODULE LoadSystemLibrary(const wchar_t* name);
