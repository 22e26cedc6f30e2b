#include "tools/velmora-host/HostSession.h"

#include "com/Bstr.h"
#include "tools/velmora-host/TextConversion.h"

#include <ole2.h>

HostSession::HostSession() : oleStarted_(OleInitialize(nullptr)) {
    if (FAILED(oleStarted_)) {
        throw HostFailure("OLE cannot be started: " + HexResult(oleStarted_), ExitUsage);
    }
    typeLibraries_.emplace(HostTypeLibraries::ExecutableFolder());
    configurationClass_.emplace(CLSID_VelmoraBankConfiguration,
                                CreatorOf<HostConfiguration>(configuration_));
    selectorClass_.emplace(CLSID_VelmoraStatementFileSelector,
                           CreatorOf<HostStatementFileSelector>(selector_));
}

HostSession::~HostSession() {
    selectorClass_.reset();
    configurationClass_.reset();
    typeLibraries_.reset();
    OleUninitialize();
}

std::vector<std::string> HostSession::Problems() const {
    std::vector<std::string> problems = typeLibraries_->Problems();
    if (FAILED(configurationClass_->Result())) {
        problems.push_back("cannot register the configuration class: " +
                           HexResult(configurationClass_->Result()));
    }
    if (FAILED(selectorClass_->Result())) {
        problems.push_back("cannot register the statement file selector class: " +
                           HexResult(selectorClass_->Result()));
    }
    return problems;
}

std::string LastErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info) {
        return {};
    }
    Bstr description;
    info->GetDescription(description.Out());
    return Utf8FromWide(WideFromBstr(description.Get()));
}

void CheckComponentCall(HRESULT result, const std::string& what) {
    if (SUCCEEDED(result)) {
        return;
    }
    const std::string description = LastErrorDescription();
    throw HostFailure(what + " failed: " + HexResult(result) +
                          (description.empty() ? "" : " (" + description + ")"),
                      ExitComponentFailed);
}
