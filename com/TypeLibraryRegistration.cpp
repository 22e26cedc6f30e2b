#include "com/TypeLibraryRegistration.h"

#include <cwchar>
#include <new>
#include <string>

#include "com/ClassesRoot.h"
#include "com/ComPtr.h"
#include "com/GuidText.h"
#include "com/ModulePath.h"
#include "com/RegistryViews.h"

namespace {

// A loaded type library with the path it came from, which is what gets registered.
struct LoadedTypeLibrary {
    ComPtr<ITypeLib> library;
    std::wstring path;
};

// Loading never registers by itself: what gets registered is the path loaded, whole, and in the
// scope asked for.
HRESULT LoadFromPath(std::wstring path, LoadedTypeLibrary& loaded) {
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, loaded.library.Out());
    if (SUCCEEDED(result)) {
        loaded.path = std::move(path);
    }
    return result;
}

HRESULT LoadModuleTypeLibrary(HINSTANCE module, LoadedTypeLibrary& loaded) {
    std::wstring modulePath = ModulePath(module);
    if (SUCCEEDED(LoadFromPath(modulePath, loaded))) {
        return S_OK;
    }
    std::wstring::size_type nameStart = modulePath.find_last_of(L"\\/");
    std::wstring::size_type dot = modulePath.find_last_of(L'.');
    if (dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart)) {
        modulePath.erase(dot);
    }
    return LoadFromPath(modulePath + L".tlb", loaded);
}

HRESULT LoadFileTypeLibrary(const wchar_t* path, LoadedTypeLibrary& loaded) {
    DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    std::wstring fullPath(size, L'\0');
    fullPath.resize(GetFullPathNameW(path, size, &fullPath[0], nullptr));
    return LoadFromPath(fullPath, loaded);
}

// Copies of the attributes, so that nothing is left to release.
HRESULT LibraryAttributes(ITypeLib* library, TLIBATTR& copy) {
    TLIBATTR* attributes = nullptr;
    HRESULT result = library->GetLibAttr(&attributes);
    if (SUCCEEDED(result)) {
        copy = *attributes;
        library->ReleaseTLibAttr(attributes);
    }
    return result;
}

HRESULT TypeAttributes(ITypeInfo* type, TYPEATTR& copy) {
    TYPEATTR* attributes = nullptr;
    HRESULT result = type->GetTypeAttr(&attributes);
    if (SUCCEEDED(result)) {
        copy = *attributes;
        type->ReleaseTypeAttr(attributes);
    }
    return result;
}

void KeepFirstFailure(HRESULT& first, HRESULT result) {
    if (SUCCEEDED(first) && FAILED(result)) {
        first = result;
    }
}

HRESULT Register(const LoadedTypeLibrary& loaded, RegistrationScope scope) {
    auto* path = const_cast<LPOLESTR>(loaded.path.c_str());
    return CallWithClassesRoot(scope, [&] {
        return TypeLibraryCallsFor(scope).registerLibrary(loaded.library.Get(), path, nullptr);
    });
}

HRESULT Unregister(const LoadedTypeLibrary& loaded, RegistrationScope scope) {
    TLIBATTR library = {};
    HRESULT result = LibraryAttributes(loaded.library.Get(), library);
    if (FAILED(result)) {
        return result;
    }
    return CallWithClassesRoot(scope, [&] {
        return TypeLibraryCallsFor(scope).unregisterLibrary(library.guid, library.wMajorVerNum,
                                                            library.wMinorVerNum, library.lcid,
                                                            library.syskind);
    });
}

const wchar_t* PlatformKeyName(SYSKIND system) {
    switch (system) {
    case SYS_WIN16:
        return L"win16";
    case SYS_WIN32:
        return L"win32";
    case SYS_MAC:
        return L"mac";
    case SYS_WIN64:
        return L"win64";
    }
    return L"win32";
}

// The interfaces the system's registration gives keys: dispatch interfaces (dual ones included)
// and Automation-compatible interfaces.
bool HasInterfaceKey(const TYPEATTR& type) {
    return type.typekind == TKIND_DISPATCH ||
           (type.typekind == TKIND_INTERFACE && (type.wTypeFlags & TYPEFLAG_FOLEAUTOMATION) != 0);
}

HRESULT UnregisterOwnKeys(const LoadedTypeLibrary& loaded, RegistrationScope scope) {
    TLIBATTR library = {};
    HRESULT first = LibraryAttributes(loaded.library.Get(), library);
    if (FAILED(first)) {
        return first;
    }
    wchar_t versionAndLocale[32] = {};
    swprintf(versionAndLocale, 32, L"\\%x.%x\\%lx", library.wMajorVerNum, library.wMinorVerNum,
             static_cast<unsigned long>(library.lcid));
    // The library's key is one both views share; its path for this platform is this build's.
    first = DeleteClassesTree(scope, L"TypeLib\\" + GuidText(library.guid) + versionAndLocale,
                              PlatformKeyName(library.syskind), 0);
    const UINT count = loaded.library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        TYPEATTR type = {};
        HRESULT result = loaded.library->GetTypeInfo(i, info.Out());
        if (SUCCEEDED(result)) {
            result = TypeAttributes(info.Get(), type);
        }
        if (SUCCEEDED(result) && HasInterfaceKey(type)) {
            result = DeleteClassesTree(scope, L"Interface", GuidText(type.guid), OwnView);
        }
        KeepFirstFailure(first, result);
    }
    return first;
}

using Action = HRESULT (*)(const LoadedTypeLibrary&, RegistrationScope);

template <class Load>
HRESULT LoadAndApply(Load load, Action action, RegistrationScope scope) noexcept {
    try {
        LoadedTypeLibrary loaded;
        HRESULT result = load(loaded);
        return FAILED(result) ? result : action(loaded, scope);
    } catch (long result) {
        return result;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

TypeLibraryCalls TypeLibraryCallsFor(RegistrationScope scope) {
    if (scope == RegistrationScope::CurrentUser) {
        return {RegisterTypeLibForUser, UnRegisterTypeLibForUser};
    }
    return {RegisterTypeLib, UnRegisterTypeLib};
}

HRESULT RegisterTypeLibraryFile(const wchar_t* path) {
    return LoadAndApply(
        [path](LoadedTypeLibrary& loaded) { return LoadFileTypeLibrary(path, loaded); }, Register,
        RegistrationScope::Machine);
}

HRESULT UnregisterTypeLibraryFile(const wchar_t* path) {
    return LoadAndApply(
        [path](LoadedTypeLibrary& loaded) { return LoadFileTypeLibrary(path, loaded); }, Unregister,
        RegistrationScope::Machine);
}

HRESULT RegisterModuleTypeLibrary(HINSTANCE module, RegistrationScope scope) {
    return LoadAndApply(
        [module](LoadedTypeLibrary& loaded) { return LoadModuleTypeLibrary(module, loaded); },
        Register, scope);
}

HRESULT UnregisterModuleTypeLibrary(HINSTANCE module, RegistrationScope scope) {
    return LoadAndApply(
        [module](LoadedTypeLibrary& loaded) { return LoadModuleTypeLibrary(module, loaded); },
        Unregister, scope);
}

HRESULT UnregisterModuleTypeLibraryOwnKeys(HINSTANCE module, RegistrationScope scope) {
    return LoadAndApply(
        [module](LoadedTypeLibrary& loaded) { return LoadModuleTypeLibrary(module, loaded); },
        UnregisterOwnKeys, scope);
}
