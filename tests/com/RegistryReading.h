#pragma once
// Reading back what registration wrote, for tests.
#include <windows.h>

#include <optional>
#include <string>

// The text of a key's value (nullptr: the default value), or nothing when the key or the value
// is missing.
std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& path,
                                             const wchar_t* name = nullptr);
std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name);
bool RegistryKeyExists(HKEY root, const std::wstring& path);
