#include "com/ComponentCategories.h"

#include <string>

#include "com/ComPtr.h"
#include "com/RegistryKeyHandle.h"

namespace {

ComPtr<ICatRegister> CategoryManager() {
    ComPtr<ICatRegister> manager;
    if (FAILED(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatRegister, manager.OutVoid()))) {
        manager.Reset();
    }
    return manager;
}

std::wstring ClassKeyPath(REFCLSID clsid) {
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return std::wstring(L"CLSID\\") + text;
}

void RemoveIfEmpty(const std::wstring& classKey, const wchar_t* name) {
    std::wstring path = classKey + L"\\" + name;
    bool empty = false;
    {
        RegistryKeyHandle key;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Out()) !=
            ERROR_SUCCESS) {
            return;
        }
        empty = !HasSubkeys(key.Get());
    }
    if (empty) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    }
}

} // namespace

HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count) {
    if (count == 0) {
        return S_OK;
    }
    ComPtr<ICatRegister> manager = CategoryManager();
    if (!manager) {
        return S_OK;
    }
    return manager->RegisterClassImplCategories(clsid, count, const_cast<CATID*>(categories));
}

HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count) {
    HRESULT result = S_OK;
    if (count > 0) {
        ComPtr<ICatRegister> manager = CategoryManager();
        if (manager) {
            result = manager->UnRegisterClassImplCategories(clsid, count,
                                                            const_cast<CATID*>(categories));
        }
    }
    std::wstring classKey = ClassKeyPath(clsid);
    RemoveIfEmpty(classKey, L"Implemented Categories");
    RemoveIfEmpty(classKey, L"Required Categories");
    return result;
}
