// velmora-host import: a statement import for one host bank account through the bank's
// statement service.
#include "hostkit/BankAccount.h"
#include "hostkit/Statement.h"
#include "hostkit/TextConversion.h"
#include "tools/velmora-host/Arguments.h"
#include "tools/velmora-host/BankConnection.h"
#include "tools/velmora-host/Commands.h"
#include "tools/velmora-host/HostSession.h"
#include "tools/velmora-host/Output.h"
#include "tools/velmora-host/ReportText.h"

#include <VelmoraBankReconciliation.h>

namespace {

using nlohmann::json;

json TransactionJson(const ReceivedTransaction& received) {
    return {{"sequence", received.sequence},
            {"sequenceType", received.sequenceType},
            {"credit", received.credit},
            {"amount", received.amount},
            {"date", IsoDate(received.date)},
            {"reference", Utf8FromWide(received.reference)},
            {"narrative", Utf8FromWide(received.narrative)},
            {"propertiesSet", received.propertiesSet},
            {"released", received.released}};
}

} // namespace

int RunImportCommand(const std::vector<std::wstring>& commandArguments) {
    const Arguments arguments(commandArguments, {L"--statement", L"--sort-code", L"--account"},
                              {L"--cancel", L"--json"});
    const bool cancel = arguments.Flag(L"--cancel");
    if (!cancel) {
        arguments.Required(L"--statement");
    }
    const std::wstring sortCode = arguments.Required(L"--sort-code");
    const std::wstring accountNumber = arguments.Required(L"--account");

    HostSession session;
    session.Selector().statementPath = arguments.FullPath(L"--statement").value_or(L"");
    session.Selector().cancel = cancel;
    const ComPtr<IVelmoraBank> bank = CreateRegisteredBank();
    const ComPtr<IVelmoraBankStatementService> service =
        FindService<IVelmoraBankStatementService>(bank.Get());
    if (!service) {
        throw HostFailure("the bank offers no statement service", ExitComponentFailed);
    }
    const ComPtr<HostBankAccount> account =
        MakeHostObject<HostBankAccount>(sortCode, accountNumber);
    const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>();

    json report = {{"command", "import"}, {"problems", session.Problems()}};
    SetErrorInfo(0, nullptr);
    const HRESULT result = service->ImportStatement(account.Get(), statement.Get());
    report["result"] = HexResult(result);
    report["error"] = FAILED(result) ? LastErrorDescription() : std::string();

    long status = -1;
    CheckComponentCall(service->get_Status(&status), "reading the statement service's status");
    report["status"] = status;
    report["selector"] = {{"recognizerGiven", session.Selector().recognizerGiven},
                          {"choices", session.Selector().choices}};
    report["prepareCalls"] = statement->PrepareCalls();
    report["balancesSet"] = statement->BalancesSet();
    json transactions = json::array();
    for (const auto& received : statement->Transactions()) {
        transactions.push_back(TransactionJson(*received));
    }
    report["transactions"] = transactions;
    report["configurationCalls"] = ConfigurationCallsJson(session.Configuration().calls);

    PrintImportReport(report, arguments.Flag(L"--json"));
    return FAILED(result) ? ExitComponentFailed : ExitSuccess;
}
