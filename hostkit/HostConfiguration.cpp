#include "hostkit/HostConfiguration.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies text into a caller's buffer of the given size, cut to fit, always terminated.
void CopyToBuffer(const std::string& text, char* buffer, size_t size) {
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

} // namespace

void HostConfiguration::Record(const char* operation, const char* bankName, size_t bankNameSize,
                               long mode) {
    const size_t length = strnlen(bankName, bankNameSize);
    const bool zeroFilled =
        std::all_of(bankName + length, bankName + bankNameSize, [](char c) { return c == '\0'; });
    state_->calls.push_back({operation, std::string(bankName, length), zeroFilled, mode});
}

HRESULT HostConfiguration::QueryInterface(REFIID iid, void** out) {
    if (out != nullptr && IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *out = static_cast<ISupportErrorInfo*>(this);
        AddRef();
        return S_OK;
    }
    return HostObject::QueryInterface(iid, out);
}

HRESULT HostConfiguration::InterfaceSupportsErrorInfo(REFIID iid) {
    return Control()->ErrorInfoSupported() && IsEqualIID(iid, IID_IVelmoraBankConfiguration)
               ? S_OK
               : S_FALSE;
}

HRESULT HostConfiguration::ConfigureBank(char* bankName, long mode) {
    if (bankName == nullptr) {
        return E_POINTER;
    }
    if (const auto failure = Enter("ConfigureBank")) {
        return *failure;
    }
    Record("ConfigureBank", bankName, ConfigureBankNameSize, mode);
    return S_OK;
}

HRESULT HostConfiguration::GetStatementSettings(char* bankName, char* settings) {
    if (bankName == nullptr || settings == nullptr) {
        return E_POINTER;
    }
    if (const auto failure = Enter("GetStatementSettings")) {
        return *failure;
    }
    Record("GetStatementSettings", bankName, SettingsBankNameSize, 0);
    std::memset(settings, 0, StatementSettingsSize);
    std::memcpy(settings, state_->statementSettings.data(),
                std::min(state_->statementSettings.size(), StatementSettingsSize));
    return S_OK;
}

HRESULT HostConfiguration::GetPaymentSettings(char* bankName, char* fileName, char* extension,
                                              char* directory) {
    if (bankName == nullptr || fileName == nullptr || extension == nullptr ||
        directory == nullptr) {
        return E_POINTER;
    }
    if (const auto failure = Enter("GetPaymentSettings")) {
        return *failure;
    }
    Record("GetPaymentSettings", bankName, SettingsBankNameSize, 0);
    CopyToBuffer(state_->payment.fileName, fileName, FileNameSize);
    CopyToBuffer(state_->payment.extension, extension, ExtensionSize);
    CopyToBuffer(state_->payment.directory, directory, DirectorySize);
    return S_OK;
}
