#pragma once
#include <windows.h>
#include <comcat.h>

#include "com/RegistrationScope.h"

// A machine-wide registration goes through the system's category manager, with
// HKEY_CLASSES_ROOT standing for the machine's classes while it writes; some category managers
// write the machine's classes even while HKEY_CLASSES_ROOT stands for a user's, so a per-user
// registration writes the keys itself.

// Declares that a class implements the given categories. Without a category manager nothing is
// registered and the result is S_OK.
HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                      RegistrationScope scope);

// Withdraws the declaration, then removes the class's "Implemented Categories" and
// "Required Categories" keys once nothing is left under them.
HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                        RegistrationScope scope);
