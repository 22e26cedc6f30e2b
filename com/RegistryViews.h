#pragma once
#include <windows.h>

#include <string>

#include "com/RegistrationScope.h"

// 64-bit Windows keeps a 32-bit and a 64-bit view of the classes, so that both builds of a server
// can be registered side by side. Only a few keys are kept apart per view (CLSID and Interface
// among them, as "Registry Keys Affected by WOW64" lists them); everything else, ProgIDs and type
// libraries included, both views share. 32-bit Windows has one view and ignores the flags.

// The view of this process's bitness, and that of the other.
constexpr REGSAM OwnView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
constexpr REGSAM OtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// True for a subkey of the classes root that each view keeps for itself.
bool IsKeptPerView(const std::wstring& classesSubkey);

// True when the other view of the scope's classes registers the class's in-process server. A
// registration of the other scope never counts. On 32-bit Windows the one view is looked at.
bool OtherViewServesClass(REFCLSID clsid, RegistrationScope scope);
