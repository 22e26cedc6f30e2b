#include "com/TypeLibraryRegistration.h"

#include <oleauto.h>

#include <new>
#include <string>

#include "com/ComPtr.h"
#include "com/ModulePath.h"

// oleaut32's per-user registration, which the MinGW headers do not declare.
WINOLEAUTAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDirectory);
WINOLEAUTAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD majorVersion, WORD minorVersion,
                                      LCID locale, SYSKIND system);

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

HRESULT Register(const LoadedTypeLibrary& loaded, RegistrationScope scope) {
    auto* path = const_cast<LPOLESTR>(loaded.path.c_str());
    return scope == RegistrationScope::CurrentUser
               ? RegisterTypeLibForUser(loaded.library.Get(), path, nullptr)
               : RegisterTypeLib(loaded.library.Get(), path, nullptr);
}

HRESULT Unregister(const LoadedTypeLibrary& loaded, RegistrationScope scope) {
    TLIBATTR* attributes = nullptr;
    HRESULT result = loaded.library->GetLibAttr(&attributes);
    if (FAILED(result)) {
        return result;
    }
    auto unregister =
        scope == RegistrationScope::CurrentUser ? UnRegisterTypeLibForUser : UnRegisterTypeLib;
    result = unregister(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                        attributes->lcid, attributes->syskind);
    loaded.library->ReleaseTLibAttr(attributes);
    return result;
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
