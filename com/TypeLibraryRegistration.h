#pragma once
#include <windows.h>

#include "com/RegistrationScope.h"

// Registration of type libraries, so that late-bound callers find them by identifier.

// Registers the type library in a file: a .tlb, or a module and resource index as "path\N".
// A relative path is registered as the full path it stands for.
HRESULT RegisterTypeLibraryFile(const wchar_t* path);

// Removes the registration of the type library in a file.
HRESULT UnregisterTypeLibraryFile(const wchar_t* path);

// The module's own type library, registered with the module's path: its first TYPELIB resource
// (which is what loading the module's path finds), or else the file beside the module with the
// module's name and the extension ".tlb". For the current user, the system's per-user calls are
// used: under UAC a limited user's RegisterTypeLib refuses the redirected HKEY_CLASSES_ROOT.
HRESULT RegisterModuleTypeLibrary(HINSTANCE module,
                                  RegistrationScope scope = RegistrationScope::Machine);
HRESULT UnregisterModuleTypeLibrary(HINSTANCE module,
                                    RegistrationScope scope = RegistrationScope::Machine);
