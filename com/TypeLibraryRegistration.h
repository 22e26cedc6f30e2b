#pragma once
#include <windows.h>

// Registration of type libraries, so that late-bound callers find them by identifier.

// Registers the type library in a file: a .tlb, or a module and resource index as "path\N".
// A relative path is registered as the full path it stands for.
HRESULT RegisterTypeLibraryFile(const wchar_t* path);

// Removes the registration of the type library in a file.
HRESULT UnregisterTypeLibraryFile(const wchar_t* path);

// The module's own type library: its TYPELIB resource 1, or else the file beside the module with
// the module's name and the extension ".tlb".
HRESULT RegisterModuleTypeLibrary(HINSTANCE module);
HRESULT UnregisterModuleTypeLibrary(HINSTANCE module);
