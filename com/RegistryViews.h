#pragma once
#include <windows.h>

#include <string>

// 64-bit Windows keeps a 32-bit and a 64-bit view of the classes, so that both builds of a server
// can be registered side by side. Only a few keys are kept apart per view (CLSID and Interface
// among them, as "Registry Keys Affected by WOW64" lists them); everything else, ProgIDs and type
// libraries included, both views share.

// True for a subkey of the classes root that each view keeps for itself.
bool IsKeptPerView(const std::wstring& classesSubkey);

// True when the registry view of the other bitness registers the class's in-process server. On
// 32-bit Windows there is one view, which is then the one looked at.
bool OtherViewServesClass(REFCLSID clsid);
