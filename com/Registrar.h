#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "com/RegistryScript.h"

// Writes what a registry script describes (RegistryScript.h). Returns the first failure; what was
// written before it stays.
HRESULT RegisterScript(const std::vector<RegistryRoot>& script);

// Removes what a registry script describes, going on past failures; returns the first.
HRESULT UnregisterScript(const std::vector<RegistryRoot>& script);

// Applies (register true) or removes the script held in a module's resource of type "REGISTRY",
// with %MODULE% standing for the module's full path besides the replacements given.
HRESULT UpdateRegistryFromResource(HINSTANCE module, UINT resourceId, bool registering,
                                   std::vector<ScriptReplacement> replacements = {});
