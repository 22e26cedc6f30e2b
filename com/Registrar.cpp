#include "com/Registrar.h"

#include <new>

#include "com/ModulePath.h"
#include "com/RegistryKeyHandle.h"
#include "com/RegistryViews.h"

namespace {

HRESULT FromStatus(LONG status) {
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

bool IsMissing(LONG status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

// Keeps the first failure of a series of steps that all go on.
void KeepFirstFailure(HRESULT& first, HRESULT result) {
    if (SUCCEEDED(first) && FAILED(result)) {
        first = result;
    }
}

HRESULT SetValue(HKEY key, const wchar_t* name, const RegistryValue& value) {
    switch (value.kind) {
    case RegistryValue::Kind::Text:
        return FromStatus(
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                           static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t))));
    case RegistryValue::Kind::Number:
        return FromStatus(RegSetValueExW(key, name, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&value.number),
                                         sizeof(value.number)));
    case RegistryValue::Kind::Absent:
        break;
    }
    return S_OK;
}

HRESULT RegisterKey(HKEY parent, const RegistryKey& key) {
    if (key.forceRemove) {
        LONG status = RegDeleteTreeW(parent, key.name.c_str());
        if (status != ERROR_SUCCESS && !IsMissing(status)) {
            return FromStatus(status);
        }
    }
    RegistryKeyHandle handle;
    HRESULT result =
        FromStatus(RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                   nullptr, handle.Out(), nullptr));
    if (SUCCEEDED(result)) {
        result = SetValue(handle.Get(), nullptr, key.defaultValue);
    }
    for (size_t i = 0; SUCCEEDED(result) && i < key.values.size(); ++i) {
        result = SetValue(handle.Get(), key.values[i].name.c_str(), key.values[i].value);
    }
    for (size_t i = 0; SUCCEEDED(result) && i < key.subkeys.size(); ++i) {
        result = RegisterKey(handle.Get(), key.subkeys[i]);
    }
    return result;
}

// A key is removed once what the script put inside it is gone, unless something else still
// lives under it; a NoRemove key stays and loses only the values the script names.
HRESULT UnregisterKey(HKEY parent, const RegistryKey& key) {
    if (key.forceRemove) {
        LONG status = RegDeleteTreeW(parent, key.name.c_str());
        return IsMissing(status) ? S_OK : FromStatus(status);
    }
    RegistryKeyHandle handle;
    LONG status = RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, handle.Out());
    if (IsMissing(status)) {
        return S_OK;
    }
    HRESULT first = FromStatus(status);
    if (FAILED(first)) {
        return first;
    }
    for (const RegistryKey& subkey : key.subkeys) {
        KeepFirstFailure(first, UnregisterKey(handle.Get(), subkey));
    }
    if (key.noRemove) {
        for (const RegistryNamedValue& named : key.values) {
            LONG deleted = RegDeleteValueW(handle.Get(), named.name.c_str());
            KeepFirstFailure(first, IsMissing(deleted) ? S_OK : FromStatus(deleted));
        }
        return first;
    }
    if (!HasSubkeys(handle.Get())) {
        KeepFirstFailure(first, FromStatus(RegDeleteKeyW(parent, key.name.c_str())));
    }
    return first;
}

std::wstring ResourceScriptText(HINSTANCE module, UINT resourceId) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"REGISTRY");
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const char* bytes =
        loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        throw static_cast<long>(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    }
    int size = static_cast<int>(SizeofResource(module, found));
    std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0), L'\0');
    if (!text.empty()) {
        MultiByteToWideChar(CP_ACP, 0, bytes, size, &text[0], static_cast<int>(text.size()));
    }
    return text;
}

HKEY RootKey(const RegistryRoot& root, HKEY classesRoot) {
    return root.key == HKEY_CLASSES_ROOT ? classesRoot : root.key;
}

} // namespace

HRESULT RegisterScript(const std::vector<RegistryRoot>& script, HKEY classesRoot) {
    for (const RegistryRoot& root : script) {
        for (const RegistryKey& key : root.subkeys) {
            HRESULT result = RegisterKey(RootKey(root, classesRoot), key);
            if (FAILED(result)) {
                return result;
            }
        }
    }
    return S_OK;
}

HRESULT UnregisterScript(const std::vector<RegistryRoot>& script, HKEY classesRoot,
                         RemovedKeys removed) {
    HRESULT first = S_OK;
    for (const RegistryRoot& root : script) {
        for (const RegistryKey& key : root.subkeys) {
            // Outside the classes root nothing is known to be kept per view, so all of it stays.
            if (removed == RemovedKeys::All ||
                (root.key == HKEY_CLASSES_ROOT && IsKeptPerView(key.name))) {
                KeepFirstFailure(first, UnregisterKey(RootKey(root, classesRoot), key));
            }
        }
    }
    return first;
}

HRESULT UpdateRegistryFromResource(HINSTANCE module, UINT resourceId, ScriptAction action,
                                   HKEY classesRoot, std::vector<ScriptReplacement> replacements) {
    try {
        replacements.push_back({L"MODULE", ModulePath(module)});
        std::vector<RegistryRoot> script =
            ParseRegistryScript(ResourceScriptText(module, resourceId), replacements);
        switch (action) {
        case ScriptAction::Register:
            return RegisterScript(script, classesRoot);
        case ScriptAction::Unregister:
            return UnregisterScript(script, classesRoot);
        case ScriptAction::UnregisterPerView:
            return UnregisterScript(script, classesRoot, RemovedKeys::PerView);
        }
        return E_INVALIDARG;
    } catch (long result) {
        return result;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
