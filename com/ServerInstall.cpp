#include "com/ServerInstall.h"

#include "com/RegistryKeyHandle.h"

namespace {

// HKEY_CLASSES_ROOT of this process redirected to the current user's classes for its lifetime:
// every write of the registration, the type library's and the categories' included, lands there.
class CurrentUserClassesRoot {
public:
    CurrentUserClassesRoot() {
        result_ = HRESULT_FROM_WIN32(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0,
                                                     nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                     classes_.Out(), nullptr));
        if (SUCCEEDED(result_)) {
            result_ = HRESULT_FROM_WIN32(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_.Get()));
        }
    }
    ~CurrentUserClassesRoot() {
        if (SUCCEEDED(result_)) {
            RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        }
    }
    CurrentUserClassesRoot(const CurrentUserClassesRoot&) = delete;
    CurrentUserClassesRoot& operator=(const CurrentUserClassesRoot&) = delete;

    HRESULT Result() const { return result_; }

private:
    RegistryKeyHandle classes_;
    HRESULT result_;
};

HRESULT Register(const ComModule& server, HINSTANCE module, bool install, RegistrationScope scope) {
    return install ? server.RegisterServer(module, scope) : server.UnregisterServer(module, scope);
}

} // namespace

HRESULT InstallServer(const ComModule& server, HINSTANCE module, bool install,
                      const wchar_t* commandLine) {
    if (commandLine == nullptr || *commandLine == L'\0') {
        return Register(server, module, install, RegistrationScope::Machine);
    }
    if (CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) != CSTR_EQUAL) {
        return E_INVALIDARG;
    }
    const CurrentUserClassesRoot userClasses;
    if (FAILED(userClasses.Result())) {
        return userClasses.Result();
    }
    return Register(server, module, install, RegistrationScope::CurrentUser);
}
