#pragma once
// Reading back what registration wrote, for tests.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

// The text of a key's value (nullptr: the default value), or nothing when the key or the value
// is missing.
std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& path,
                                             const wchar_t* name = nullptr);
std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name);
bool RegistryKeyExists(HKEY root, const std::wstring& path);

// A key and everything under it: each key's path below the starting key ("" for itself), mapped
// to its values' names and texts (values other than text read as "?"). Empty when it is missing.
using RegistryTree = std::map<std::wstring, std::map<std::wstring, std::wstring>>;
RegistryTree ReadRegistryTree(HKEY root, const std::wstring& path);

// The platform subkey under which a type library registers its path: that of the process, so a
// 32-bit and a 64-bit build of one library live side by side.
#ifdef _WIN64
inline const std::wstring TypeLibraryPlatformKey = L"\\0\\win64";
#else
inline const std::wstring TypeLibraryPlatformKey = L"\\0\\win32";
#endif
