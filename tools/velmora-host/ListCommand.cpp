// velmora-host list: the registered bank, its services, and its hand-over of the bank's name
// to the host's configuration.
#include "hostkit/TextConversion.h"
#include "tools/velmora-host/Arguments.h"
#include "tools/velmora-host/BankConnection.h"
#include "tools/velmora-host/Commands.h"
#include "tools/velmora-host/HostSession.h"
#include "tools/velmora-host/Output.h"

#include "com/Bstr.h"

#include <VelmoraBankPayments.h>
#include <VelmoraBankReconciliation.h>

namespace {

using nlohmann::json;

const char* KindOf(const ComPtr<IVelmoraBankService>& service) {
    if (service.As<IVelmoraBankPaymentService>(IID_IVelmoraBankPaymentService)) {
        return "payment";
    }
    if (service.As<IVelmoraBankStatementService>(IID_IVelmoraBankStatementService)) {
        return "statement";
    }
    return "other";
}

} // namespace

int RunListCommand(const std::vector<std::wstring>& commandArguments) {
    const Arguments arguments(commandArguments, {}, {L"--json"});
    HostSession session;
    const ComPtr<IVelmoraBank> bank = CreateRegisteredBank();

    json report = {{"command", "list"}, {"problems", session.Problems()}};
    Bstr name;
    CheckComponentCall(bank->get_Name(name.Out()), "asking the bank for its name");
    report["bank"] = Utf8FromWide(WideFromBstr(name.Get()));
    long fixedNumber = 0;
    CheckComponentCall(bank->get_FixedNumber(&fixedNumber), "asking the bank for FixedNumber");
    report["fixedNumber"] = fixedNumber;

    json services = json::array();
    const std::vector<ComPtr<IVelmoraBankService>> found = ServicesOf(bank.Get());
    for (size_t position = 0; position < found.size(); ++position) {
        Bstr serviceName;
        CheckComponentCall(found[position]->get_Name(serviceName.Out()),
                           "asking a service for its name");
        long status = 0;
        CheckComponentCall(found[position]->get_Status(&status), "asking a service for its status");
        services.push_back({{"position", position},
                            {"name", Utf8FromWide(WideFromBstr(serviceName.Get()))},
                            {"status", status},
                            {"kind", KindOf(found[position])}});
    }
    report["services"] = services;
    report["enumerated"] = EnumeratedServiceCount(bank.Get());

    SetErrorInfo(0, nullptr);
    const HRESULT configured = bank->Configure(0);
    report["configure"] = {{"result", HexResult(configured)},
                           {"error", FAILED(configured) ? LastErrorDescription() : std::string()},
                           {"calls", ConfigurationCallsJson(session.Configuration().calls)}};

    PrintListReport(report, arguments.Flag(L"--json"));
    return FAILED(configured) ? ExitComponentFailed : ExitSuccess;
}
