// Registers the type library files named on the command line; exits with 1 when one fails.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "com/TypeLibraryRegistration.h"

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return 1;
    }
    int failures = 0;
    for (int i = 1; i < count; ++i) {
        HRESULT result = RegisterTypeLibraryFile(arguments[i]);
        if (FAILED(result)) {
            std::fprintf(stderr, "%ls: 0x%08lX\n", arguments[i],
                         static_cast<unsigned long>(result));
            ++failures;
        }
    }
    LocalFree(arguments);
    return failures == 0 ? 0 : 1;
}
