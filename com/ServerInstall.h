#pragma once
#include <windows.h>

#include "com/ComModule.h"

// DllInstall of an in-process server. The command line "user" (any case) registers or removes
// the server for the current user only, under HKEY_CURRENT_USER\Software\Classes, so that a user
// without administrative rights can install it; an empty command line does what DllRegisterServer
// or DllUnregisterServer does. Anything else is E_INVALIDARG.
HRESULT InstallServer(const ComModule& server, HINSTANCE module, bool install,
                      const wchar_t* commandLine);
