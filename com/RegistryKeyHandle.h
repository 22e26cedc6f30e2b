#pragma once
#include <windows.h>

// Closes an open registry key on every path.
class RegistryKeyHandle {
public:
    RegistryKeyHandle() = default;
    ~RegistryKeyHandle() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKeyHandle(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;

    HKEY Get() const { return key_; }
    HKEY* Out() { return &key_; }

private:
    HKEY key_ = nullptr;
};

// True when the key has subkeys, or when that cannot be told.
inline bool HasSubkeys(HKEY key) {
    DWORD subkeys = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
           subkeys > 0;
}
