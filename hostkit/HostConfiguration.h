#pragma once
#include "hostkit/HostObject.h"

#include <VelmoraEBanking.h>

#include <memory>
#include <string>
#include <vector>

// The host's payment settings for the bank, in the ANSI code page.
struct PaymentSettings {
    std::string fileName = "payments.csv";
    std::string extension = "csv"; // without the dot, at most 3 characters
    std::string directory = "C:\\";
};

// One call the component made on a configuration object.
struct ConfigurationCall {
    std::string operation; // ConfigureBank, GetStatementSettings or GetPaymentSettings
    std::string bankName;
    bool bankNameZeroFilled; // the whole bank name buffer behind the name held zero bytes
    long mode;               // ConfigureBank only; 0 otherwise
};

// What every configuration object of a session shares: the settings it hands out and the
// calls it received.
struct ConfigurationState {
    PaymentSettings payment;
    // The statement settings, zero-filled to their buffer's size (this host keeps none).
    std::string statementSettings;
    std::vector<ConfigurationCall> calls;
};

// The host's configuration object (IVelmoraBankConfiguration), created by the component by
// class identifier. It hands out the session's payment settings and records every call; a
// failure chosen for a call is described through ISupportErrorInfo.
class HostConfiguration : public HostObject<IVelmoraBankConfiguration>, public ISupportErrorInfo {
public:
    static constexpr size_t ConfigureBankNameSize = 1024;
    static constexpr size_t SettingsBankNameSize = 100;
    static constexpr size_t StatementSettingsSize = 400;
    static constexpr size_t FileNameSize = 1024;
    static constexpr size_t ExtensionSize = 4;
    static constexpr size_t DirectorySize = 1024;

    explicit HostConfiguration(std::shared_ptr<ConfigurationState> state,
                               std::shared_ptr<HostControl> control = {})
        : HostObject(std::move(control), "Configuration"), state_(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return HostObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return HostObject::Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE ConfigureBank(char* bankName, long mode) override;
    HRESULT STDMETHODCALLTYPE GetStatementSettings(char* bankName, char* settings) override;
    HRESULT STDMETHODCALLTYPE GetPaymentSettings(char* bankName, char* fileName, char* extension,
                                                 char* directory) override;

private:
    void Record(const char* operation, const char* bankName, size_t bankNameSize, long mode);

    std::shared_ptr<ConfigurationState> state_;
};
