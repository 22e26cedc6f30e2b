#pragma once
#include <windows.h>
#include <comcat.h>

// How a class's categories are written. The system's category manager is the rule for a
// machine-wide registration; some category managers write the machine's classes even while
// HKEY_CLASSES_ROOT is redirected to a user's, so a per-user registration writes the keys itself.
enum class CategoryWriter { Manager, ClassesRootKeys };

// Declares that a class implements the given categories. Without a category manager nothing is
// registered and the result is S_OK.
HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                      CategoryWriter writer);

// Withdraws the declaration, then removes the class's "Implemented Categories" and
// "Required Categories" keys once nothing is left under them.
HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                        CategoryWriter writer);
