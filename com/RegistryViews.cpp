#include "com/RegistryViews.h"

#include "com/ClassesRoot.h"
#include "com/GuidText.h"

bool IsKeptPerView(const std::wstring& classesSubkey) {
    for (const wchar_t* kept :
         {L"CLSID", L"Interface", L"DirectShow", L"Media Type", L"MediaFoundation"}) {
        if (CompareStringOrdinal(classesSubkey.c_str(), -1, kept, -1, TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

bool OtherViewServesClass(REFCLSID clsid, RegistrationScope scope) {
    RegistryKeyHandle key;
    return OpenClassesKey(scope, L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32",
                          KEY_READ | OtherView, key) == ERROR_SUCCESS;
}
