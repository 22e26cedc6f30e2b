#pragma once
#include <windows.h>
#include <comcat.h>

// Declares, through the system's component category manager, that a class implements the given
// categories. Without a category manager nothing is registered and the result is S_OK.
HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count);

// Withdraws the declaration, then removes the class's "Implemented Categories" and
// "Required Categories" keys once nothing is left under them.
HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count);
