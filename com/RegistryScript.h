#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A registry script: the keys and values a module writes at registration and removes at
// unregistration. The text names a root key and nests keys in braces:
//
//     HKCR
//     {
//         NoRemove CLSID
//         {
//             ForceRemove {clsid} = s 'Bank Class'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Apartment'
//                 }
//             }
//         }
//     }
//
// Tokens are separated by white space; a quoted text ('...', '' for a quote) is one token.
// A key may have a default value (= s 'text' or = d number), named values (val name = ...) and
// subkeys. NoRemove keeps a key at unregistration (only what is listed inside it is removed);
// ForceRemove replaces a key whole at registration and removes it whole at unregistration.
// %NAME% is replaced by the value given for NAME, %% by a single %.

struct RegistryValue {
    enum class Kind { Absent, Text, Number };
    Kind kind = Kind::Absent;
    std::wstring text;
    DWORD number = 0;
};

struct RegistryNamedValue {
    std::wstring name;
    RegistryValue value;
};

struct RegistryKey {
    std::wstring name;
    bool noRemove = false;
    bool forceRemove = false;
    RegistryValue defaultValue;
    std::vector<RegistryNamedValue> values;
    std::vector<RegistryKey> subkeys;
};

struct RegistryRoot {
    HKEY key;
    std::vector<RegistryKey> subkeys;
};

struct ScriptReplacement {
    std::wstring name;
    std::wstring value;
};

// What a script that cannot be read makes its registration return.
constexpr HRESULT RegistryScriptSyntaxError = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

// Reads a script; raises RegistryScriptSyntaxError (as a long) when the text is not one.
std::vector<RegistryRoot> ParseRegistryScript(const std::wstring& text,
                                              const std::vector<ScriptReplacement>& replacements);
