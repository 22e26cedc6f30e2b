#include "tools/velmora-host/HostSession.h"

#include "com/Bstr.h"
#include "hostkit/TextConversion.h"

#include <ole2.h>

HostSession::HostSession() : oleStarted_(OleInitialize(nullptr)) {
    if (FAILED(oleStarted_)) {
        throw HostFailure("OLE cannot be started: " + HexResult(oleStarted_), ExitUsage);
    }
    typeLibraries_.emplace(HostTypeLibraries::ExecutableFolder());
    kit_.emplace();
}

HostSession::~HostSession() {
    kit_.reset();
    typeLibraries_.reset();
    OleUninitialize();
}

std::vector<std::string> HostSession::Problems() const {
    std::vector<std::string> problems = typeLibraries_->Problems();
    for (const std::string& problem : kit_->Problems()) {
        problems.push_back(problem);
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
