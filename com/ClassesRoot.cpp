#include "com/ClassesRoot.h"

namespace {

HKEY ScopeRootKey(RegistrationScope scope) {
    return scope == RegistrationScope::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring ClassesPath(const std::wstring& subkey) {
    return subkey.empty() ? L"Software\\Classes" : L"Software\\Classes\\" + subkey;
}

} // namespace

LSTATUS OpenClassesKey(RegistrationScope scope, const std::wstring& subkey, REGSAM access,
                       RegistryKeyHandle& key) {
    return RegOpenKeyExW(ScopeRootKey(scope), ClassesPath(subkey).c_str(), 0, access, key.Out());
}

LSTATUS CreateClassesKey(RegistrationScope scope, const std::wstring& subkey, REGSAM access,
                         RegistryKeyHandle& key) {
    return RegCreateKeyExW(ScopeRootKey(scope), ClassesPath(subkey).c_str(), 0, nullptr, 0, access,
                           nullptr, key.Out(), nullptr);
}

HRESULT DeleteClassesTree(RegistrationScope scope, const std::wstring& parent,
                          const std::wstring& name, REGSAM view) {
    RegistryKeyHandle key;
    LSTATUS status = OpenClassesKey(scope, parent, KEY_ALL_ACCESS | view, key);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteTreeW(key.Get(), name.c_str());
    }
    const bool missing = status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
    return missing ? S_OK : HRESULT_FROM_WIN32(status);
}

ClassesRootOverride::ClassesRootOverride(RegistrationScope scope) {
    result_ = HRESULT_FROM_WIN32(CreateClassesKey(scope, L"", KEY_ALL_ACCESS, classes_));
    if (SUCCEEDED(result_)) {
        result_ = HRESULT_FROM_WIN32(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_.Get()));
    }
}

ClassesRootOverride::~ClassesRootOverride() {
    if (SUCCEEDED(result_)) {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
}
