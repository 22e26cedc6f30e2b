// Every host call of a payment run and of a statement import failed in turn, through the
// services as the host calls them: each run must end as the handling of that call promises,
// with its file closed and every object it created or was handed given back.
#include <doctest/doctest.h>

#include <Corvane.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "bank/BankPaymentService.h"
#include "bank/BankStatementService.h"
#include "bank/ThreadError.h"
#include "com/ComInitialization.h"
#include "com/ComObject.h"
#include "com/ModuleLock.h"
#include "fixtures/AnsweringUser.h"
#include "fixtures/StatementFiles.h"
#include "fixtures/TempFolder.h"
#include "hostkit/BankAccount.h"
#include "hostkit/HostKit.h"
#include "hostkit/Statement.h"
#include "payments/PaymentRun.h"
#include "statements/StatementImport.h"
#include "support/LineTesting.h"

namespace {

using Calls = std::vector<std::string>;

// The two ways a host call fails: an error result with the host's description, or success
// with nothing handed out where the call hands out an object or a text.
struct Failure {
    const char* name;
    HRESULT result;
    const wchar_t* description;
};
const Failure ErrorResult = {"error result", E_FAIL, L"The host refused"};
const Failure NothingHandedOut = {"nothing handed out", S_OK, L""};

// A logged call: "Payment[1].Amount" and "Batch.Item(1)" are the calls "Payment.Amount" and
// "Batch.Item" for payment 1.
struct Call {
    std::string name;
    int index = -1;
};

Call CallOf(std::string entry) {
    Call call;
    const std::size_t open = entry.find_first_of("[(");
    if (open != std::string::npos) {
        const std::size_t close = entry.find_first_of("])", open);
        call.index = std::atoi(entry.substr(open + 1, close - open - 1).c_str());
        entry.erase(open, close - open + 1);
    }
    call.name = entry.substr(0, entry.find('('));
    return call;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The user's events, releases and destructions are logged too, but are no calls to fail.
bool IsHostCall(const std::string& entry) {
    return entry.rfind("User.", 0) != 0 && !EndsWith(entry, ".Released") &&
           !EndsWith(entry, ".Destroyed");
}

// What failing a call of a kind does to a run; handsOut: whether the call hands out an object
// or a text, and so can also succeed with nothing.
template <typename Effect> struct CallKind {
    const char* call;
    bool handsOut;
    Effect effect;
};

template <typename Effect, std::size_t Count>
const CallKind<Effect>* KindOf(const CallKind<Effect> (&kinds)[Count], const std::string& call) {
    const auto found =
        std::find_if(std::begin(kinds), std::end(kinds),
                     [&call](const CallKind<Effect>& kind) { return call == kind.call; });
    return found == std::end(kinds) ? nullptr : found;
}

template <class Service, class Interface> ComPtr<Interface> NewService(REFIID iid) {
    CComObject<Service>* created = nullptr;
    REQUIRE(CComObject<Service>::CreateInstance(&created) == S_OK);
    ComPtr<Interface> service;
    REQUIRE(QueryNewObject(created, iid, service.OutVoid()) == S_OK);
    return service;
}

// Runs a baseline Run (made with the arguments), then a new Run for each host call of its log
// failed each way that applies. A failing run makes the same calls up to the failed one; after it,
// check judges the run by the failed call, its kind's effect, the failure and the baseline calls
// before it. Every run must give back all it holds: the host objects alive at its start only, and
// no lock on the component's module once the service is gone. Returns the number of failing runs.
template <typename Run, typename Effect, std::size_t Count, typename Check, typename... Arguments>
int FailEachCall(const CallKind<Effect> (&kinds)[Count], Check check,
                 const Arguments&... arguments) {
    Calls baseline;
    {
        Run run(arguments...);
        run.Go();
        baseline = run.host.Control().Log();
    }
    int runs = 0;
    for (std::size_t position = 0; position < baseline.size(); ++position) {
        if (!IsHostCall(baseline[position])) {
            continue;
        }
        const Call call = CallOf(baseline[position]);
        const CallKind<Effect>* kind = KindOf(kinds, call.name);
        CAPTURE(baseline[position]);
        REQUIRE(kind != nullptr);
        for (const Failure* failure : {&ErrorResult, &NothingHandedOut}) {
            if (failure == &NothingHandedOut && !kind->handsOut) {
                continue;
            }
            const std::string failureName = failure->name;
            CAPTURE(failureName);
            Run run(arguments...);
            run.host.Control().FailAt(position, failure->result, failure->description);
            ClearThreadError();
            run.Go();
            const Calls& log = run.host.Control().Log();
            REQUIRE(log.size() > position);
            const auto failed = static_cast<std::ptrdiff_t>(position);
            CHECK(Calls(log.begin(), log.begin() + failed + 1) ==
                  Calls(baseline.begin(), baseline.begin() + failed + 1));
            check(run, call, kind->effect, *failure,
                  Calls(baseline.begin(), baseline.begin() + failed));
            run.service.Reset();
            CHECK(ModuleLockCount() == 0);
            CHECK(run.host.Control().LiveObjects() == run.liveAtStart);
            ++runs;
        }
    }
    return runs;
}

// Whether the file is closed: it can be deleted. A file that was never created is closed too.
bool Closed(const std::string& path) {
    return !FileExists(path) || DeleteFileA(path.c_str()) != FALSE;
}

std::size_t LinesIn(const std::string& bytes) {
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

// The error object a run that ended with DISP_E_EXCEPTION leaves: none of the component's own;
// the host's stays unless it went with the COM error.
void CheckErrorObjectLeft(const Failure& failure, bool takenWithError) {
    const ThreadError error = TakeThreadError();
    const bool hostLeftOne = &failure == &ErrorResult && !takenWithError;
    CHECK(error.present == hostLeftOne);
    if (hostLeftOne) {
        CHECK(error.description == failure.description);
    }
}

// A payment run as the host starts it: payment 0 invalid, payment 1 valid, the user choosing
// the format and a file in the test's folder. The status is Cancelled before the run, to
// tell whether the run set it.
struct PaymentExport {
    ScopedComInitialization com;
    HostKit host;
    AnsweringUser user{&host.Control()};
    TempFolder folder;
    ComPtr<HostPaymentBatch> batch;
    ComPtr<IVelmoraBankPaymentService> service =
        NewService<CBankPaymentService, IVelmoraBankPaymentService>(IID_IVelmoraBankPaymentService);
    int liveAtStart = 0;
    HRESULT result = E_FAIL;
    long status = -1;

    explicit PaymentExport(PaymentFormat format) {
        host.Control().KeepLog();
        host.Configuration().payment.directory = folder.Path();
        user.formatAnswer = {IDOK, format, DateOf(2013, 1, 7)};
        user.chosenPath = folder / "pay.csv";
        PaymentFields invalid = ExamplePayment();
        invalid.amount = -5;
        batch = MakeHostObject<HostPaymentBatch>(
            std::vector<PaymentFields>{invalid, ExamplePayment()}, host.SharedControl());
        liveAtStart = host.Control().LiveObjects();
        REQUIRE(service->put_Status(Cancelled) == S_OK);
    }
    void Go() {
        result = service->ExportPayments(batch.Get(), nullptr);
        REQUIRE(service->get_Status(&status) == S_OK);
    }
};

// What failing a call does to a payment run.
enum class PaymentEffect {
    NotCreated,   // the configuration is missing (E_POINTER): the run ends at once
    Refused,      // a COM error that takes the host's error object with it
    CountsEmpty,  // the batch counts as empty: an empty file
    NotObtained,  // the payment cannot be fetched: the file ends before it, status Failed
    EmptiesField, // the field counts as empty (zero): the payment fails that field's rule
    Ignored,      // the run goes on as if the call had succeeded
};

const CallKind<PaymentEffect> PaymentRunCalls[] = {
    {"ConfigurationClass.CreateInstance", true, PaymentEffect::NotCreated},
    {"Configuration.GetPaymentSettings", false, PaymentEffect::Refused},
    {"Batch.Count", false, PaymentEffect::CountsEmpty},
    {"Batch.Item", true, PaymentEffect::NotObtained},
    {"Payment.Amount", false, PaymentEffect::EmptiesField},
    {"Payment.PayerSortCode", true, PaymentEffect::EmptiesField},
    {"Payment.PayerAccountNumber", true, PaymentEffect::EmptiesField},
    {"Payment.PayeeSortCode", true, PaymentEffect::EmptiesField},
    {"Payment.PayeeAccountNumber", true, PaymentEffect::EmptiesField},
    {"Payment.PayeeAccountName", true, PaymentEffect::EmptiesField},
    // Written without a rule.
    {"Payment.PayerAccountName", true, PaymentEffect::Ignored},
    {"Payment.PayeeBacsReference", true, PaymentEffect::Ignored},
    {"Payment.PayeeRollNumber", true, PaymentEffect::Ignored},
    {"Payment.Details", true, PaymentEffect::Ignored},
    {"Payment.SetStatusCode", false, PaymentEffect::Ignored},
};

// What failing a call does to a statement import.
enum class ImportEffect {
    NotCreated, // the selector or configuration is missing (E_POINTER): no file is read
    Refused,    // a COM error that takes the host's error object with it
    // A COM error; the object does not say it describes its failures, so its error object stays.
    RefusedUndescribed,
    NoPath,        // no file: the statement is prepared, nothing imported
    NoAccount,     // the account texts stay empty: no transaction of the file matches
    NoTransaction, // the transaction would be lost: the import ends with a COM error
    Ignored,       // the import goes on as if the call had succeeded
};

const CallKind<ImportEffect> StatementImportCalls[] = {
    {"SelectorClass.CreateInstance", true, ImportEffect::NotCreated},
    {"ConfigurationClass.CreateInstance", true, ImportEffect::NotCreated},
    {"Configuration.GetStatementSettings", false, ImportEffect::Refused},
    {"Selector.SetRecognizer", false, ImportEffect::RefusedUndescribed},
    // The outcome the failing selector leaves, 0, is a chosen file.
    {"Selector.GetOutcome", false, ImportEffect::Ignored},
    {"Selector.GetChosenPath", true, ImportEffect::NoPath},
    {"Statement.Prepare", false, ImportEffect::Ignored},
    {"Statement.Balance", false, ImportEffect::Ignored},
    {"Account.Details", true, ImportEffect::NoAccount},
    {"Details.AccountNumber", true, ImportEffect::NoAccount},
    {"Details.SortCode", true, ImportEffect::NoAccount},
    {"Statement.NewTransaction", true, ImportEffect::NoTransaction},
    {"Transaction.SequenceNumber", false, ImportEffect::Ignored},
    {"Transaction.Credit", false, ImportEffect::Ignored},
    {"Transaction.Amount", false, ImportEffect::Ignored},
    {"Transaction.Date", false, ImportEffect::Ignored},
    {"Transaction.Reference", false, ImportEffect::Ignored},
    {"Transaction.Narrative", false, ImportEffect::Ignored},
};

// A statement import as the host starts it, on a new service: the user chooses a file of two
// transactions of the host's account.
struct StatementImportRun {
    ScopedComInitialization com;
    HostKit host;
    TempFolder folder;
    std::string path;
    ComPtr<HostBankAccount> account =
        MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678", host.SharedControl());
    ComPtr<HostStatement> statement = MakeHostObject<HostStatement>(host.SharedControl());
    ComPtr<IVelmoraBankStatementService> service =
        NewService<CBankStatementService, IVelmoraBankStatementService>(
            IID_IVelmoraBankStatementService);
    int liveAtStart = 0;
    HRESULT result = E_FAIL;
    long status = -1;

    StatementImportRun() {
        host.Control().KeepLog();
        TransactionLineFields second;
        second.reference = "SECOND";
        std::vector<std::string> lines = HeaderLines();
        lines.push_back(TransactionLine());
        lines.push_back(TransactionLine(second));
        lines.push_back(TrailerLine());
        path = folder.WriteLines("statement.txt", lines);
        host.Selector().statementPath = std::wstring(path.begin(), path.end());
        liveAtStart = host.Control().LiveObjects();
    }
    void Go() {
        result = service->ImportStatement(account.Get(), statement.Get());
        REQUIRE(service->get_Status(&status) == S_OK);
    }
};

// Payment 0 of the batch is invalid, payment 1 valid.
void CheckPaymentRun(PaymentExport& run, const Call& call, PaymentEffect effect,
                     const Failure& failure, const Calls&) {
    if (effect == PaymentEffect::NotCreated || effect == PaymentEffect::Refused) {
        CHECK(run.result == DISP_E_EXCEPTION);
        CHECK(run.status == Cancelled);
        CHECK(run.user.formatDialogs.empty());
        CHECK_FALSE(FileExists(run.user.chosenPath));
        CheckErrorObjectLeft(failure, effect == PaymentEffect::Refused);
        return;
    }
    std::size_t lines = 2;
    long status = PaymentsInvalid;
    HRESULT result = S_FALSE;
    if (effect == PaymentEffect::CountsEmpty) {
        lines = 0;
        status = Succeeded;
        result = S_OK;
    } else if (effect == PaymentEffect::NotObtained) {
        lines = static_cast<std::size_t>(call.index);
        status = Failed;
        // Only the invalid payment 0, once fetched, makes the result S_FALSE.
        result = call.index > 0 ? S_FALSE : S_OK;
    }
    CHECK(run.result == result);
    CHECK(run.status == status);
    CHECK(LinesIn(ReadFileBytes(run.user.chosenPath)) == lines);
    CHECK(Closed(run.user.chosenPath));
    const bool validMadeInvalid = effect == PaymentEffect::EmptiesField && call.index == 1;
    CHECK(run.batch->Payments()[1]->StatusCodesSet().empty() == !validMadeInvalid);
}

// The file holds two transactions of the account.
void CheckStatementImport(StatementImportRun& run, const Call&, ImportEffect effect,
                          const Failure& failure, const Calls& before) {
    const bool ended = effect == ImportEffect::NotCreated || effect == ImportEffect::Refused ||
                       effect == ImportEffect::RefusedUndescribed;
    std::size_t received = 2;
    if (ended || effect == ImportEffect::NoPath || effect == ImportEffect::NoAccount) {
        received = 0;
    } else if (effect == ImportEffect::NoTransaction) {
        received = static_cast<std::size_t>(
            std::count(before.begin(), before.end(), "Statement.NewTransaction"));
    }
    const bool failed = ended || effect == ImportEffect::NoTransaction;
    CHECK(run.result == (failed ? DISP_E_EXCEPTION : S_OK));
    CHECK(run.status == Completed);
    CHECK(run.statement->Transactions().size() == received);
    const Calls& log = run.host.Control().Log();
    CHECK(std::count(log.begin(), log.end(), "Statement.Prepare") == (ended ? 0 : 1));
    if (failed) {
        CheckErrorObjectLeft(failure, effect == ImportEffect::Refused);
    }
    CHECK(Closed(run.path));
}

} // namespace

TEST_CASE("a payment run ends as promised whichever host call fails") {
    int runs = 0;
    for (PaymentFormat format : {OneToOne, BacsId}) {
        CAPTURE(format);
        runs += FailEachCall<PaymentExport>(PaymentRunCalls, CheckPaymentRun, format);
    }
    MESSAGE("payment runs with a failing host call: " << runs);
}

TEST_CASE("a statement import ends as promised whichever host call fails") {
    const int runs = FailEachCall<StatementImportRun>(StatementImportCalls, CheckStatementImport);
    MESSAGE("statement imports with a failing host call: " << runs);
}
