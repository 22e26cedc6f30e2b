#include "com/ServerInstall.h"

namespace {

HRESULT Register(const ComModule& server, HINSTANCE module, bool install, RegistrationScope scope) {
    return install ? server.RegisterServer(module, scope) : server.UnregisterServer(module, scope);
}

} // namespace

HRESULT InstallServer(const ComModule& server, HINSTANCE module, bool install,
                      const wchar_t* commandLine) {
    if (commandLine == nullptr || *commandLine == L'\0') {
        return Register(server, module, install, RegistrationScope::Machine);
    }
    if (CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) != CSTR_EQUAL) {
        return E_INVALIDARG;
    }
    return Register(server, module, install, RegistrationScope::CurrentUser);
}
