#pragma once
#include "com/ComPtr.h"
#include "com/ScopedOverride.h"

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

// The host framework's type libraries (VelmoraEBanking.tlb, VelmoraBankPayments.tlb,
// VelmoraBankReconciliation.tlb), loaded from a folder and registered for the whole session, as
// the host application's installation would register them. The component's own type library
// imports them, and the host's dual objects serve late-bound calls from them.
class HostTypeLibraries {
public:
    explicit HostTypeLibraries(const std::wstring& folder);

    // What could not be loaded or registered, one text per library.
    const std::vector<std::string>& Problems() const { return problems_; }

    // The description of a dual interface's methods (TKIND_INTERFACE) from the libraries of the
    // current session; empty when there is no session or the interface is not described.
    static ComPtr<ITypeInfo> InterfaceTypeInfo(REFIID iid);

    // The folder of the running executable, with a trailing backslash.
    static std::wstring ExecutableFolder();

private:
    std::vector<ComPtr<ITypeLib>> libraries_;
    std::vector<std::string> problems_;
    // This session's libraries serve late-bound calls until it ends.
    ScopedOverride<HostTypeLibraries*> current_;
};
