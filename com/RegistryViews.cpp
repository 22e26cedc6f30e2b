#include "com/RegistryViews.h"

#include "com/GuidText.h"
#include "com/RegistryKeyHandle.h"

namespace {

// The other bitness's view; 32-bit Windows ignores the flag.
constexpr REGSAM OtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

} // namespace

bool IsKeptPerView(const std::wstring& classesSubkey) {
    for (const wchar_t* kept :
         {L"CLSID", L"Interface", L"DirectShow", L"Media Type", L"MediaFoundation"}) {
        if (CompareStringOrdinal(classesSubkey.c_str(), -1, kept, -1, TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

bool OtherViewServesClass(REFCLSID clsid) {
    const std::wstring server = L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32";
    RegistryKeyHandle key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, server.c_str(), 0, KEY_READ | OtherView, key.Out()) ==
           ERROR_SUCCESS;
}
