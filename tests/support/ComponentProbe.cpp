#include "support/ComponentProbe.h"

#include <doctest/doctest.h>

namespace {

std::wstring FullPath(const wchar_t* path) {
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return full;
}

} // namespace

const ComponentProbe& ComponentProbe::Instance() {
    static const ComponentProbe probe;
    return probe;
}

ComponentProbe::ComponentProbe()
    : path_(FullPath(CORVANE_DLL)), module_(LoadLibraryW(path_.c_str())) {
    REQUIRE(module_ != nullptr);
}

HRESULT ComponentProbe::Call(const char* entryPoint) const {
    auto function = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(module_, entryPoint)));
    REQUIRE((function != nullptr));
    return function();
}

HRESULT ComponentProbe::CanUnloadNow() const {
    return Call("DllCanUnloadNow");
}

HRESULT ComponentProbe::RegisterServer() const {
    return Call("DllRegisterServer");
}

HRESULT ComponentProbe::UnregisterServer() const {
    return Call("DllUnregisterServer");
}

HRESULT ComponentProbe::Install(bool install, const wchar_t* commandLine) const {
    auto function = reinterpret_cast<HRESULT(WINAPI*)(BOOL, LPCWSTR)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllInstall")));
    REQUIRE((function != nullptr));
    return function(install ? TRUE : FALSE, commandLine);
}

HRESULT ComponentProbe::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
    auto function = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    REQUIRE((function != nullptr));
    return function(clsid, iid, out);
}

ComponentSession::~ComponentSession() {
    CHECK(ComponentProbe::Instance().CanUnloadNow() == S_OK);
}
