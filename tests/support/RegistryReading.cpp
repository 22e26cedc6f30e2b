#include "support/RegistryReading.h"

#include "com/RegistryKeyHandle.h"

std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& path,
                                             const wchar_t* name) {
    RegistryKeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&text[0]),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcslen(text.c_str()));
    return text;
}

std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name) {
    RegistryKeyHandle key;
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS ||
        RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return value;
}

bool RegistryKeyExists(HKEY root, const std::wstring& path) {
    RegistryKeyHandle key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

namespace {

void ReadTreeInto(HKEY key, const std::wstring& below, RegistryTree& tree) {
    std::map<std::wstring, std::wstring>& values = tree[below];
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        DWORD type = 0;
        wchar_t data[1024] = {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &size) != ERROR_SUCCESS) {
            break;
        }
        values[name] = type == REG_SZ ? std::wstring(data) : std::wstring(L"?");
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        RegistryKeyHandle child;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, child.Out()) == ERROR_SUCCESS) {
            ReadTreeInto(child.Get(), below.empty() ? name : below + L"\\" + name, tree);
        }
    }
}

} // namespace

RegistryTree ReadRegistryTree(HKEY root, const std::wstring& path) {
    RegistryTree tree;
    RegistryKeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS) {
        ReadTreeInto(key.Get(), L"", tree);
    }
    return tree;
}
