#pragma once
#include <windows.h>

// The module's lock count: every live object, every LockServer lock and every client reference
// to a cached class object holds one. The module may be unloaded only while it is 0.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();
