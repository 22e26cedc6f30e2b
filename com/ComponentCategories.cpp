#include "com/ComponentCategories.h"

#include <string>

#include "com/ComPtr.h"
#include "com/GuidText.h"
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
    return L"CLSID\\" + GuidText(clsid);
}

std::wstring CategoryKeyPath(REFCLSID clsid, REFGUID category) {
    return ClassKeyPath(clsid) + L"\\Implemented Categories\\" + GuidText(category);
}

HRESULT WriteCategoryKeys(REFCLSID clsid, const CATID* categories, ULONG count) {
    for (ULONG i = 0; i < count; ++i) {
        RegistryKeyHandle key;
        const LSTATUS status =
            RegCreateKeyExW(HKEY_CLASSES_ROOT, CategoryKeyPath(clsid, categories[i]).c_str(), 0,
                            nullptr, 0, KEY_WRITE, nullptr, key.Out(), nullptr);
        if (status != ERROR_SUCCESS) {
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT DeleteCategoryKeys(REFCLSID clsid, const CATID* categories, ULONG count) {
    HRESULT first = S_OK;
    for (ULONG i = 0; i < count; ++i) {
        const LSTATUS status =
            RegDeleteKeyW(HKEY_CLASSES_ROOT, CategoryKeyPath(clsid, categories[i]).c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(first)) {
            first = HRESULT_FROM_WIN32(status);
        }
    }
    return first;
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

HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                      RegistrationScope scope) {
    if (count == 0) {
        return S_OK;
    }
    if (scope == RegistrationScope::CurrentUser) {
        return WriteCategoryKeys(clsid, categories, count);
    }
    ComPtr<ICatRegister> manager = CategoryManager();
    if (!manager) {
        return S_OK;
    }
    return manager->RegisterClassImplCategories(clsid, count, const_cast<CATID*>(categories));
}

HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                        RegistrationScope scope) {
    HRESULT result = S_OK;
    if (count > 0 && scope == RegistrationScope::CurrentUser) {
        result = DeleteCategoryKeys(clsid, categories, count);
    } else if (count > 0) {
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
