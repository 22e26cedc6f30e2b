#include <windows.h>

#include "PlantedLibrary.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetEnvironmentVariableW(PlantedLibraryMark, L"1");
    }
    return TRUE;
}
