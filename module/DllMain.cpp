// Entry points of the in-process server Corvane.dll.
#include <windows.h>
#include <objbase.h>

#include "com/ModuleInstance.h"
#include "com/ServerInstall.h"
#include "module/ClassTable.h"
#include "module/UnwindTables.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        // The component starts no thread and keeps nothing per thread.
        DisableThreadLibraryCalls(instance);
        CorvaneModule();
    } else if (reason == DLL_PROCESS_DETACH) {
        // At process termination (reserved not null) the other threads were ended wherever they
        // were, perhaps holding a lock, and COM may be gone: nothing is cleaned up then.
        if (reserved != nullptr) {
            KeepUnwindTablesAtExit();
        } else {
            CorvaneModule().ReleaseClassObjects();
        }
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return CorvaneModule().GetClassObject(clsid, iid, out);
}

STDAPI DllCanUnloadNow() {
    return CorvaneModule().CanUnloadNow();
}

STDAPI DllRegisterServer() {
    return CorvaneModule().RegisterServer(ModuleInstance());
}

STDAPI DllUnregisterServer() {
    return CorvaneModule().UnregisterServer(ModuleInstance());
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    return InstallServer(CorvaneModule(), ModuleInstance(), install != FALSE, commandLine);
}
