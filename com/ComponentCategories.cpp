#include "com/ComponentCategories.h"

#include <string>

#include "com/ClassesRoot.h"
#include "com/ComPtr.h"
#include "com/GuidText.h"

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

HRESULT WriteCategoryKeys(REFCLSID clsid, const CATID* categories, ULONG count,
                          RegistrationScope scope) {
    for (ULONG i = 0; i < count; ++i) {
        RegistryKeyHandle key;
        const LSTATUS status =
            CreateClassesKey(scope, CategoryKeyPath(clsid, categories[i]), KEY_WRITE, key);
        if (status != ERROR_SUCCESS) {
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT DeleteCategoryKeys(REFCLSID clsid, const CATID* categories, ULONG count,
                           RegistrationScope scope) {
    RegistryKeyHandle classes;
    LSTATUS opened = OpenClassesKey(scope, L"", KEY_READ | KEY_WRITE, classes);
    if (opened != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(opened);
    }
    HRESULT first = S_OK;
    for (ULONG i = 0; i < count; ++i) {
        const LSTATUS status =
            RegDeleteKeyW(classes.Get(), CategoryKeyPath(clsid, categories[i]).c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(first)) {
            first = HRESULT_FROM_WIN32(status);
        }
    }
    return first;
}

void RemoveIfEmpty(RegistrationScope scope, const std::wstring& classKey, const wchar_t* name) {
    RegistryKeyHandle parent;
    if (OpenClassesKey(scope, classKey, KEY_READ | KEY_WRITE, parent) != ERROR_SUCCESS) {
        return;
    }
    bool empty = false;
    {
        RegistryKeyHandle key;
        if (RegOpenKeyExW(parent.Get(), name, 0, KEY_READ, key.Out()) != ERROR_SUCCESS) {
            return;
        }
        empty = !HasSubkeys(key.Get());
    }
    if (empty) {
        RegDeleteKeyW(parent.Get(), name);
    }
}

} // namespace

HRESULT RegisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                      RegistrationScope scope) {
    if (count == 0) {
        return S_OK;
    }
    if (scope == RegistrationScope::CurrentUser) {
        return WriteCategoryKeys(clsid, categories, count, scope);
    }
    ComPtr<ICatRegister> manager = CategoryManager();
    if (!manager) {
        return S_OK;
    }
    return CallWithClassesRoot(scope, [&] {
        return manager->RegisterClassImplCategories(clsid, count, const_cast<CATID*>(categories));
    });
}

HRESULT UnregisterImplementedCategories(REFCLSID clsid, const CATID* categories, ULONG count,
                                        RegistrationScope scope) {
    HRESULT result = S_OK;
    if (count > 0 && scope == RegistrationScope::CurrentUser) {
        result = DeleteCategoryKeys(clsid, categories, count, scope);
    } else if (count > 0) {
        ComPtr<ICatRegister> manager = CategoryManager();
        if (manager) {
            result = CallWithClassesRoot(scope, [&] {
                return manager->UnRegisterClassImplCategories(clsid, count,
                                                              const_cast<CATID*>(categories));
            });
        }
    }
    std::wstring classKey = ClassKeyPath(clsid);
    RemoveIfEmpty(scope, classKey, L"Implemented Categories");
    RemoveIfEmpty(scope, classKey, L"Required Categories");
    return result;
}
