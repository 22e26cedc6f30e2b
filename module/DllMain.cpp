// Entry points of the in-process server Corvane.dll.
#include <windows.h>
#include <objbase.h>

#include "com/ModuleInstance.h"
#include "com/ServerInstall.h"
#include "module/ClassTable.h"
#include "module/UnwindTables.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Before anything can throw.
        RegisterOwnUnwindTables(instance);
        // The component starts no thread and keeps nothing per thread.
        DisableThreadLibraryCalls(instance);
        CorvaneModule();
    } else if (reason == DLL_PROCESS_DETACH) {
        CorvaneModule().ReleaseClassObjects();
        WithdrawOwnUnwindTables();
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
