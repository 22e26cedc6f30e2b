#include "module/UnwindTables.h"

// The system's exception dispatch finds this module's tables in its image: nothing registered,
// nothing to keep.
void KeepUnwindTablesAtExit() {}
