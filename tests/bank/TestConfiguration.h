#pragma once
// The host's configuration object as a test plays it: registered in this process under the host's
// class identifier while the holder lives, so that the component's CoCreateInstance finds it; it
// records what the component hands it and answers as the test says.
#include <windows.h>
#include <unknwn.h>

#include <string>

struct ConfigurationRecord {
    // What ConfigureBank returns; on failure it first leaves an error object described
    // "Configuration refused".
    HRESULT answer = S_OK;
    // Whether the object says it supports error information for IVelmoraBankConfiguration.
    bool supportsErrorInfo = true;
    int calls = 0;
    long mode = 0;
    // The bank name buffer of the last call, all 1024 bytes.
    std::string bankName;
    // Objects created and not yet released.
    int live = 0;
};

class RegisteredTestConfiguration {
public:
    RegisteredTestConfiguration();
    ~RegisteredTestConfiguration();
    RegisteredTestConfiguration(const RegisteredTestConfiguration&) = delete;
    RegisteredTestConfiguration& operator=(const RegisteredTestConfiguration&) = delete;

    ConfigurationRecord& Record() { return record_; }

private:
    ConfigurationRecord record_;
    IClassFactory* factory_;
    DWORD cookie_ = 0;
};
