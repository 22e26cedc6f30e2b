#pragma once
#include <windows.h>
#include <oleauto.h>

#include "com/RegistrationScope.h"

// Registration of type libraries, so that late-bound callers find them by identifier. The system's
// calls write through HKEY_CLASSES_ROOT, which stands for the scope's classes while they run
// (ClassesRoot.h).

// oleaut32's per-user registration, which the MinGW headers do not declare. Its parameters are
// those of the machine's calls, whose path is const in some releases of the headers and not in
// others: declared with their type, the two always match.
extern "C" {
DECLSPEC_IMPORT decltype(RegisterTypeLib) RegisterTypeLibForUser;
DECLSPEC_IMPORT decltype(UnRegisterTypeLib) UnRegisterTypeLibForUser;
}

// The system's calls that register and remove a type library in a scope: for the current user
// the per-user ones (under UAC a limited user's RegisterTypeLib refuses the user's classes), for
// the machine the machine's.
struct TypeLibraryCalls {
    decltype(&RegisterTypeLib) registerLibrary;
    decltype(&UnRegisterTypeLib) unregisterLibrary;
};
TypeLibraryCalls TypeLibraryCallsFor(RegistrationScope scope);

// Registers the type library in a file: a .tlb, or a module and resource index as "path\N".
// A relative path is registered as the full path it stands for.
HRESULT RegisterTypeLibraryFile(const wchar_t* path);

// Removes the registration of the type library in a file.
HRESULT UnregisterTypeLibraryFile(const wchar_t* path);

// The module's own type library, registered with the module's path: its first TYPELIB resource
// (which is what loading the module's path finds), or else the file beside the module with the
// module's name and the extension ".tlb".
HRESULT RegisterModuleTypeLibrary(HINSTANCE module,
                                  RegistrationScope scope = RegistrationScope::Machine);
// Removes all of the library's registration, its interfaces' keys in both registry views
// included.
HRESULT UnregisterModuleTypeLibrary(HINSTANCE module,
                                    RegistrationScope scope = RegistrationScope::Machine);
// Removes only what this build's registration owns alone, for while the server's other build
// (of the other bitness) is still registered: the library's path for this platform
// (TypeLib\{libid}\{version}\{locale}\win32 or win64) and its interfaces' keys in this process's
// registry view. The version key and its values, which both views share, and the other view's
// interface keys stay.
HRESULT UnregisterModuleTypeLibraryOwnKeys(HINSTANCE module, RegistrationScope scope);
