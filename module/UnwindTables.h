#pragma once

// The module's own unwind tables, kept where the unwinder linked into it looks for them.
//
// On x86 exceptions unwind through DWARF tables that the start-up code registers at load time.
// When a neighbour of the process has already loaded the shared GCC runtime DLL, the start-up
// code hands the tables to that DLL, while the unwinder linked into this module searches only
// its own list: the first exception thrown would end the process. A constructor that runs
// before every other static constructor of the module therefore registers the tables with this
// module's unwinder too, and queues their withdrawal, which then runs after the last static
// destructor when the module unloads. On x64 the system finds the tables in the image itself.

// Called when the process terminates with the module loaded: the withdrawal takes the unwinder's
// lock, which a thread killed at exit may hold, so the tables stay registered then.
void KeepUnwindTablesAtExit();
