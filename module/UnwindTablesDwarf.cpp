#include "module/UnwindTables.h"

#include <windows.h>

#include <cstdlib>

// The static unwinder's registry of tables (libgcc, linked into this module).
extern "C" {
struct dwarf_eh_bases {
    void* tbase;
    void* dbase;
    void* func;
};
void __register_frame_info(const void* tables, void* object);
void* __deregister_frame_info(const void* tables);
const void* _Unwind_Find_FDE(void* pc, dwarf_eh_bases* bases);
// This module's image (the linker's).
extern IMAGE_DOS_HEADER __ImageBase;
}

namespace {

// An empty mark among the module's unwind tables: the image section that holds it is the tables,
// which the linker lays out as one run of entries ended by the start-up code's terminator.
__attribute__((section(".eh_frame"), used)) const char UnwindTablesMark[] = {};

// The unwinder's bookkeeping of one registration: its record is a handful of pointers, room for
// more is kept.
alignas(void*) char registration[32 * sizeof(void*)];
const void* registeredTables = nullptr;
bool processTerminating = false;

const void* SectionHolding(HINSTANCE module, const void* address) {
    const BYTE* const image = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    const BYTE* const wanted = static_cast<const BYTE*>(address);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
        const BYTE* const start = image + section->VirtualAddress;
        // The mark takes no room, so it may sit right at the end of its section.
        if (wanted >= start && wanted <= start + section->Misc.VirtualSize) {
            return start;
        }
    }
    return nullptr;
}

bool OwnTablesFound() {
    dwarf_eh_bases bases = {};
    // Any address inside a function of this module: this one's.
    void* const pc = reinterpret_cast<char*>(&OwnTablesFound) + 1;
    return _Unwind_Find_FDE(pc, &bases) != nullptr;
}

void WithdrawOwnUnwindTables() {
    if (!processTerminating) {
        __deregister_frame_info(registeredTables);
    }
}

// The highest priority open to the module's own code: only the start-up code's registration (at
// the reserved priority 0) runs before it.
__attribute__((constructor(101))) void RegisterOwnUnwindTables() {
    if (OwnTablesFound()) {
        return;
    }
    const void* const tables =
        SectionHolding(reinterpret_cast<HINSTANCE>(&__ImageBase), UnwindTablesMark);
    if (tables != nullptr) {
        __register_frame_info(tables, registration);
        registeredTables = tables;
        // Queued before any static object exists, so it runs after the last one is destroyed.
        std::atexit(WithdrawOwnUnwindTables);
    }
}

} // namespace

void KeepUnwindTablesAtExit() {
    processTerminating = true;
}
