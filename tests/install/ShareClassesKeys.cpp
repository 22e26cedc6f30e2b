// Makes the named keys of HKLM\Software\Classes one key for both registry views, as 64-bit Windows
// keeps everything there but CLSID, Interface and a few others; Wine 8 keeps most keys per view (it
// links a few itself, TypeLib among them), Wine 10 shares them as Windows does.
//   share_classes_keys share|unshare NAME...
// share links the 32-bit view's key to the 64-bit view's, where the 32-bit view has no key of that
// name, and prints the name of each key it linked; a link already there is left as it is, and
// nothing is linked where Wine shares the keys itself. unshare removes the links of the names
// given. Exits with 1 when one fails.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "com/RegistryKeyHandle.h"

namespace {

const wchar_t kClasses[] = L"Software\\Classes\\";
const wchar_t kLinkValue[] = L"SymbolicLinkValue";
constexpr REGSAM kThirtyTwoBitView = KEY_WOW64_32KEY;

// The 32-bit view's key itself, not what it links to; ERROR_SUCCESS with a null key when absent.
LONG OpenAsLink(const std::wstring& path, REGSAM access, RegistryKeyHandle& key) {
    LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), REG_OPTION_OPEN_LINK,
                                access | kThirtyTwoBitView, key.Out());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

bool IsLink(HKEY key) {
    DWORD type = 0;
    return RegQueryValueExW(key, kLinkValue, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

LONG Share(const std::wstring& name) {
    std::wstring path = kClasses + name;
    RegistryKeyHandle existing;
    if (LONG result = OpenAsLink(path, KEY_QUERY_VALUE, existing); result != ERROR_SUCCESS) {
        return result;
    }
    if (existing.Get() != nullptr) {
        return IsLink(existing.Get()) ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    }
    RegistryKeyHandle link;
    LONG result = RegCreateKeyExW(
        HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
        KEY_SET_VALUE | KEY_CREATE_LINK | kThirtyTwoBitView, nullptr, link.Out(), nullptr);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    // The target in the kernel's names, without a terminating null.
    std::wstring target = L"\\Registry\\Machine\\" + path;
    result = RegSetValueExW(link.Get(), kLinkValue, 0, REG_LINK,
                            reinterpret_cast<const BYTE*>(target.data()),
                            static_cast<DWORD>(target.size() * sizeof(wchar_t)));
    if (result == ERROR_SUCCESS) {
        std::printf("%ls\n", name.c_str());
    }
    return result;
}

// Whether this Wine keeps the keys of HKLM\Software\Classes as one for both views already, as
// Windows does (Wine 10 does, Wine 8 does not): a key made in the 64-bit view is then seen in the
// 32-bit view, and a link there would point at itself.
bool ViewsShareClassesKeys() {
    const std::wstring probe = kClasses + std::wstring(L"ShareClassesKeysProbe");
    {
        RegistryKeyHandle made;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, probe.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_WRITE | KEY_WOW64_64KEY, nullptr, made.Out(),
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
    }
    RegistryKeyHandle seen;
    const bool shared = RegOpenKeyExW(HKEY_LOCAL_MACHINE, probe.c_str(), 0,
                                      KEY_READ | kThirtyTwoBitView, seen.Out()) == ERROR_SUCCESS;
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, probe.c_str(), KEY_WOW64_64KEY, 0);
    return shared;
}

LONG Unshare(const std::wstring& name) {
    RegistryKeyHandle link;
    if (LONG result = OpenAsLink(kClasses + name, KEY_QUERY_VALUE | DELETE, link);
        result != ERROR_SUCCESS || link.Get() == nullptr) {
        return result;
    }
    if (!IsLink(link.Get())) {
        return ERROR_ALREADY_EXISTS;
    }
    // An empty name deletes the open key itself: the link, not its target.
    return RegDeleteKeyW(link.Get(), L"");
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring verb = arguments != nullptr && count >= 2 ? arguments[1] : L"";
    if (verb != L"share" && verb != L"unshare") {
        std::fputs("share_classes_keys share|unshare KEY...\n", stderr);
        LocalFree(arguments);
        return 1;
    }
    bool sharing = verb == L"share";
    if (sharing && ViewsShareClassesKeys()) {
        // Nothing to link, so nothing to unshare afterwards.
        LocalFree(arguments);
        return 0;
    }
    int failures = 0;
    for (int i = 2; i < count; ++i) {
        LONG result = sharing ? Share(arguments[i]) : Unshare(arguments[i]);
        if (result != ERROR_SUCCESS) {
            std::fprintf(stderr, "%ls %ls: error %ld\n", arguments[1], arguments[i], result);
            ++failures;
        }
    }
    LocalFree(arguments);
    return failures == 0 ? 0 : 1;
}
