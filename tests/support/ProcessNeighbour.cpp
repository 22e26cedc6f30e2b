// A neighbour in the test program's process, as a customer's host has them. Linked into a test
// program, it acts before main, and so before Corvane.dll is loaded: like a plugin built with
// MinGW against its shared runtime, it loads the shared GCC runtime DLLs (copied beside the
// program by the build, NEIGHBOUR_RUNTIME_DLLS), and like a plugin that sets a locale for the
// whole process, it sets the one CORVANE_NEIGHBOUR_LOCALE names in the shared C runtime. What it
// cannot do ends the process, so that no test passes without its neighbour.
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "calendar/LoadedLibrary.h"

namespace {

constexpr const char* RuntimeDlls[] = {NEIGHBOUR_RUNTIME_DLLS};

[[noreturn]] void Refuse(const char* what, const char* name) {
    std::fprintf(stderr, "process neighbour: cannot %s %s\n", what, name);
    std::fflush(stderr);
    std::_Exit(97);
}

class ProcessNeighbour {
public:
    ProcessNeighbour() {
        for (std::size_t i = 0; i < std::size(RuntimeDlls); ++i) {
            *runtime_[i].Out() = LoadLibraryA(RuntimeDlls[i]);
            if (runtime_[i].Get() == nullptr) {
                Refuse("load", RuntimeDlls[i]);
            }
        }
        if (const char* locale = std::getenv("CORVANE_NEIGHBOUR_LOCALE")) {
            if (std::setlocale(LC_ALL, locale) == nullptr) {
                Refuse("set the locale", locale);
            }
        }
    }

private:
    LoadedLibrary runtime_[std::size(RuntimeDlls)];
};

const ProcessNeighbour neighbour;

} // namespace
