#pragma once
// Corvane.dll as registered in the test prefix, seen from a test program: its entry points, and
// the leak check every test of it ends with.
#include <windows.h>
#include <unknwn.h>

#include <string>

#include "com/ComInitialization.h"
#include "com/ComPtr.h"

class ComponentProbe {
public:
    // The built DLL, loaded once and kept loaded, so that COM's loading of the registered path
    // finds this same module and its lock count stays observable between tests.
    static const ComponentProbe& Instance();

    HMODULE Module() const { return module_; }
    const std::wstring& Path() const { return path_; }
    HRESULT CanUnloadNow() const;
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
    HRESULT RegisterServer() const;
    HRESULT UnregisterServer() const;
    HRESULT Install(bool install, const wchar_t* commandLine) const;

private:
    ComponentProbe();
    HRESULT Call(const char* entryPoint) const;

    std::wstring path_;
    HMODULE module_;
};

// One test's use of the component: COM started on the thread, and at the end the check that
// nothing of the component is left alive (DllCanUnloadNow S_OK). Declare it before the test's
// objects so that they are gone when it checks.
class ComponentSession {
public:
    ComponentSession() = default;
    ~ComponentSession();
    ComponentSession(const ComponentSession&) = delete;
    ComponentSession& operator=(const ComponentSession&) = delete;

private:
    ScopedComInitialization com_;
};

// A new object of a component class, created through COM by class identifier.
template <class Interface> ComPtr<Interface> CreateComponentObject(REFCLSID clsid, REFIID iid) {
    ComPtr<Interface> object;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.OutVoid());
    return object;
}
