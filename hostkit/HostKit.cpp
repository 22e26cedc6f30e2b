#include "hostkit/HostKit.h"

#include "hostkit/TextConversion.h"

HostKit::HostKit(bool registerConfiguration, bool registerSelector) {
    if (registerConfiguration) {
        configurationClass_.emplace(CLSID_VelmoraBankConfiguration, "Configuration",
                                    CreatorOf<HostConfiguration>(configuration_, control_),
                                    control_);
    }
    if (registerSelector) {
        selectorClass_.emplace(CLSID_VelmoraStatementFileSelector, "Selector",
                               CreatorOf<HostStatementFileSelector>(selector_, control_), control_);
    }
}

std::vector<std::string> HostKit::Problems() const {
    std::vector<std::string> problems;
    if (configurationClass_ && FAILED(configurationClass_->Result())) {
        problems.push_back("cannot register the configuration class: " +
                           HexResult(configurationClass_->Result()));
    }
    if (selectorClass_ && FAILED(selectorClass_->Result())) {
        problems.push_back("cannot register the statement file selector class: " +
                           HexResult(selectorClass_->Result()));
    }
    return problems;
}
