#pragma once
#include <windows.h>

// The module's own unwind tables, kept where the unwinder linked into it looks for them.
//
// On x86 exceptions unwind through DWARF tables that the start-up code registers at load time.
// When a neighbour of the process has already loaded the shared GCC runtime DLL, the start-up
// code hands the tables to that DLL, while the unwinder linked into this module searches only
// its own list: the first exception thrown would end the process. RegisterOwnUnwindTables then
// registers the tables with this module's unwinder too, and WithdrawOwnUnwindTables takes that
// registration back before the module unloads. On x64 the system finds the tables in the image
// itself, and both do nothing.
void RegisterOwnUnwindTables(HINSTANCE module);
void WithdrawOwnUnwindTables();
