#include "hostkit/HostTypeLibraries.h"

#include "hostkit/TextConversion.h"

#include <oleauto.h>

// In oleaut32 since Windows Vista; MinGW's headers do not declare it.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path,
                                                 OLECHAR* helpFolder);

namespace {

HostTypeLibraries* currentLibraries = nullptr;

// In import order: the payment and reconciliation libraries import the e-banking one.
const wchar_t* const libraryFiles[] = {L"VelmoraEBanking.tlb", L"VelmoraBankPayments.tlb",
                                       L"VelmoraBankReconciliation.tlb"};

} // namespace

HostTypeLibraries::HostTypeLibraries(const std::wstring& folder)
    : current_(currentLibraries, this) {
    for (const wchar_t* file : libraryFiles) {
        std::wstring path = folder + file;
        ComPtr<ITypeLib> library;
        HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Out());
        if (FAILED(result)) {
            problems_.push_back("cannot load " + Utf8FromWide(path) + ": " + HexResult(result));
            continue;
        }
        // Without administrative rights the machine-wide registration is refused; the user's
        // own registration serves the session as well.
        result = RegisterTypeLib(library.Get(), path.data(), nullptr);
        if (FAILED(result)) {
            result = RegisterTypeLibForUser(library.Get(), path.data(), nullptr);
        }
        if (FAILED(result)) {
            problems_.push_back("cannot register " + Utf8FromWide(path) + ": " + HexResult(result));
        }
        libraries_.push_back(library);
    }
}

ComPtr<ITypeInfo> HostTypeLibraries::InterfaceTypeInfo(REFIID iid) {
    if (currentLibraries == nullptr) {
        return {};
    }
    for (const ComPtr<ITypeLib>& library : currentLibraries->libraries_) {
        ComPtr<ITypeInfo> info;
        if (FAILED(library->GetTypeInfoOfGuid(iid, info.Out()))) {
            continue;
        }
        TYPEATTR* attributes = nullptr;
        if (FAILED(info->GetTypeAttr(&attributes))) {
            return {};
        }
        const bool dispatchView = attributes->typekind == TKIND_DISPATCH;
        info->ReleaseTypeAttr(attributes);
        if (!dispatchView) {
            return info;
        }
        // A dual interface is found as its dispatch view; invoking through the vtable needs
        // the interface view behind it.
        HREFTYPE interfaceView = 0;
        ComPtr<ITypeInfo> methods;
        if (FAILED(info->GetRefTypeOfImplType(-1, &interfaceView)) ||
            FAILED(info->GetRefTypeInfo(interfaceView, methods.Out()))) {
            return {};
        }
        return methods;
    }
    return {};
}

std::wstring HostTypeLibraries::ExecutableFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}
