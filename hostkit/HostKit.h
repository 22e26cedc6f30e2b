#pragma once
#include "hostkit/ClassFactory.h"
#include "hostkit/HostConfiguration.h"
#include "hostkit/HostControl.h"
#include "hostkit/StatementFileSelector.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The host's side of a session: the control its objects report to, the states its
// configuration objects and statement file selectors share, and those two classes registered in
// the process while it lives, as the component creates them by class identifier. COM must be
// started on the thread before, and stopped only after.
class HostKit {
public:
    explicit HostKit(bool registerConfiguration = true, bool registerSelector = true);

    HostControl& Control() { return *control_; }
    const HostControl& Control() const { return *control_; }
    // For the objects a caller makes itself, so that they report to the same control.
    const std::shared_ptr<HostControl>& SharedControl() const { return control_; }
    ConfigurationState& Configuration() { return *configuration_; }
    SelectorState& Selector() { return *selector_; }
    // The classes that could not be registered.
    std::vector<std::string> Problems() const;

private:
    std::shared_ptr<HostControl> control_ = std::make_shared<HostControl>();
    std::shared_ptr<ConfigurationState> configuration_ = std::make_shared<ConfigurationState>();
    std::shared_ptr<SelectorState> selector_ = std::make_shared<SelectorState>();
    std::optional<ClassRegistration> configurationClass_;
    std::optional<ClassRegistration> selectorClass_;
};
