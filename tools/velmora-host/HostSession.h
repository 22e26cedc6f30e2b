#pragma once
#include "hostkit/HostKit.h"
#include "hostkit/HostTypeLibraries.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

// A failure that ends a command: the message for the user and the process exit code.
class HostFailure : public std::runtime_error {
public:
    HostFailure(const std::string& message, int exitCode)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_;
};

// Exit codes of the host.
constexpr int ExitSuccess = 0;
constexpr int ExitComponentFailed = 1; // the bank component or a call on it failed
constexpr int ExitUsage = 2;           // bad command line or unreadable input file

// Everything a host command runs inside: OLE on the host's thread, the host framework's type
// libraries, and the host kit with the host's configuration and statement file selector classes
// registered in the process so that the component can create them.
class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    ConfigurationState& Configuration() { return kit_->Configuration(); }
    SelectorState& Selector() { return kit_->Selector(); }
    // Type libraries that could not be loaded or registered, and classes not registered.
    std::vector<std::string> Problems() const;

private:
    HRESULT oleStarted_;
    std::optional<HostTypeLibraries> typeLibraries_;
    std::optional<HostKit> kit_;
};

// The description of the error object the last failed call left on the thread, if any.
std::string LastErrorDescription();

// Throws HostFailure (ExitComponentFailed) naming what failed, with the result and the error
// description, when a call on the component failed.
void CheckComponentCall(HRESULT result, const std::string& what);
