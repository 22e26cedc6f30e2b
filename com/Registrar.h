#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "com/RegistryScript.h"

// The script's HKCR stands for the classes key given: a registration names the classes of its
// scope there (ClassesRoot.h).

// Writes what a registry script describes (RegistryScript.h). Returns the first failure; what was
// written before it stays.
HRESULT RegisterScript(const std::vector<RegistryRoot>& script,
                       HKEY classesRoot = HKEY_CLASSES_ROOT);

// Which keys removing a script takes: all it describes, or only the keys of the classes root
// that each registry view keeps for itself (RegistryViews.h), leaving those the views share.
enum class RemovedKeys { All, PerView };

// Removes what a registry script describes, going on past failures; returns the first.
HRESULT UnregisterScript(const std::vector<RegistryRoot>& script,
                         HKEY classesRoot = HKEY_CLASSES_ROOT,
                         RemovedKeys removed = RemovedKeys::All);

enum class ScriptAction { Register, Unregister, UnregisterPerView };

// Applies or removes the script held in a module's resource of type "REGISTRY", with %MODULE%
// standing for the module's full path besides the replacements given.
HRESULT UpdateRegistryFromResource(HINSTANCE module, UINT resourceId, ScriptAction action,
                                   HKEY classesRoot = HKEY_CLASSES_ROOT,
                                   std::vector<ScriptReplacement> replacements = {});
