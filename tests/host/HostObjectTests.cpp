// The host kit's objects as the component uses them: through their interfaces, early and late
// bound, and the controls a test has over them.
#include "com/Bstr.h"
#include "com/Variant.h"
#include "hostkit/BankAccount.h"
#include "hostkit/HostConfiguration.h"
#include "hostkit/HostKit.h"
#include "hostkit/PaymentBatch.h"
#include "hostkit/Statement.h"
#include "hostkit/StatementFileSelector.h"
#include "hostkit/TextConversion.h"
#include "support/ComObjectProbes.h"
#include "tools/velmora-host/ReportText.h"

#include <ole2.h>

#include <doctest/doctest.h>

#include <cstring>
#include <string>

namespace {

struct OleStarted {
    OleStarted() { OleInitialize(nullptr); }
    ~OleStarted() { OleUninitialize(); }
};

// OLE and the host type libraries (copied beside the test program) for one test.
class OleWithTypeLibraries : OleStarted {
public:
    const HostTypeLibraries& Libraries() const { return libraries_; }

private:
    HostTypeLibraries libraries_{HostTypeLibraries::ExecutableFolder()};
};

std::wstring TextOf(const Bstr& text) {
    return WideFromBstr(text.Get());
}

PaymentFields SamplePayment() {
    PaymentFields fields;
    fields.amount = 150.5;
    fields.payerSortCode = L"12-34-56";
    fields.payeeAccountName = L"Zo\u00EB";
    fields.details = L"Rent";
    return fields;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    REQUIRE(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == S_OK);
    return id;
}

} // namespace

TEST_CASE("payment: serves its fields as new texts and records every status code") {
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(SamplePayment());
    double amount = 0;
    CHECK(payment->get_Amount(&amount) == S_OK);
    CHECK(amount == 150.5);
    Bstr first, second;
    CHECK(payment->get_PayeeAccountName(first.Out()) == S_OK);
    CHECK(payment->get_PayeeAccountName(second.Out()) == S_OK);
    CHECK(first.Get() != second.Get());
    CHECK(TextOf(first) == L"Zo\u00EB");
    Bstr empty;
    CHECK(payment->get_PayeeRollNumber(empty.Out()) == S_OK);
    CHECK(empty.Get() != nullptr);
    CHECK(empty.Length() == 0);
    CHECK(payment->get_Details(nullptr) == E_POINTER);

    long code = -1;
    CHECK(payment->get_StatusCode(&code) == S_OK);
    CHECK(code == 0);
    CHECK(payment->put_StatusCode(28) == S_OK);
    CHECK(payment->put_StatusCode(29) == S_OK);
    CHECK(payment->get_StatusCode(&code) == S_OK);
    CHECK(code == 29);
    CHECK(payment->StatusCodesSet() == std::vector<long>{28, 29});
}

TEST_CASE("payment batch: count, payments by position, positions out of range") {
    const ComPtr<HostPaymentBatch> batch =
        MakeHostObject<HostPaymentBatch>(std::vector<PaymentFields>{SamplePayment(), {}});
    long count = 0;
    CHECK(batch->get_Count(&count) == S_OK);
    CHECK(count == 2);
    ComPtr<IVelmoraPayment> second;
    CHECK(batch->get_Item(1, second.Out()) == S_OK);
    CHECK(second.Get() == static_cast<IVelmoraPayment*>(batch->Payments()[1].Get()));
    second->put_StatusCode(30);
    CHECK(batch->Payments()[1]->StatusCodesSet() == std::vector<long>{30});
    ComPtr<IVelmoraPayment> none;
    CHECK(batch->get_Item(2, none.Out()) == E_INVALIDARG);
    CHECK(batch->get_Item(-1, none.Out()) == E_INVALIDARG);
    CHECK(!none);
    CHECK(batch->ItemRequests() == 3);
    CHECK(batch.As<IDispatch>(IID_IDispatch));
    CHECK(!batch.As<IVelmoraPayment>(IID_IVelmoraPayment));
}

TEST_CASE("host objects answer late-bound calls from the host type libraries") {
    const OleWithTypeLibraries ole;
    CHECK(ole.Libraries().Problems().empty());
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(SamplePayment());
    const ComPtr<IDispatch> dispatch = payment.As<IDispatch>(IID_IDispatch);
    REQUIRE(dispatch);
    UINT count = 0;
    CHECK(dispatch->GetTypeInfoCount(&count) == S_OK);
    CHECK(count == 1);

    Variant result;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    CHECK(dispatch->Invoke(IdOf(dispatch.Get(), L"PayerSortCode"), IID_NULL, LOCALE_USER_DEFAULT,
                           DISPATCH_PROPERTYGET, &none, result.Get(), nullptr, nullptr) == S_OK);
    REQUIRE(result.Get()->vt == VT_BSTR);
    CHECK(WideFromBstr(result.Get()->bstrVal) == L"12-34-56");

    Variant code;
    code.Get()->vt = VT_I4;
    code.Get()->lVal = 21;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{code.Get(), &named, 1, 1};
    CHECK(dispatch->Invoke(IdOf(dispatch.Get(), L"StatusCode"), IID_NULL, LOCALE_USER_DEFAULT,
                           DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr) == S_OK);
    CHECK(payment->StatusCodesSet() == std::vector<long>{21});

    const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>();
    const ComPtr<IDispatch> statementDispatch = statement.As<IDispatch>(IID_IDispatch);
    CHECK(statementDispatch->Invoke(IdOf(statementDispatch.Get(), L"Prepare"), IID_NULL,
                                    LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                                    nullptr) == S_OK);
    CHECK(statement->PrepareCalls() == 1);
}

TEST_CASE("the host type libraries serve late binding while a session holds them, and nest") {
    const OleStarted ole;
    CHECK(!HostTypeLibraries::InterfaceTypeInfo(IID_IVelmoraPayment));
    {
        const HostTypeLibraries outer(HostTypeLibraries::ExecutableFolder());
        {
            const HostTypeLibraries inner(HostTypeLibraries::ExecutableFolder());
            CHECK(HostTypeLibraries::InterfaceTypeInfo(IID_IVelmoraPayment));
        }
        CHECK(HostTypeLibraries::InterfaceTypeInfo(IID_IVelmoraPayment));
    }
    CHECK(!HostTypeLibraries::InterfaceTypeInfo(IID_IVelmoraPayment));
}

TEST_CASE("bank account: details carry the account's sort code and number") {
    const ComPtr<HostBankAccount> account =
        MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678");
    ComPtr<IVelmoraBankDetails> details;
    CHECK(account->get_Details(details.Out()) == S_OK);
    REQUIRE(details);
    Bstr sortCode, number;
    CHECK(details->get_SortCode(sortCode.Out()) == S_OK);
    CHECK(details->get_AccountNumber(number.Out()) == S_OK);
    CHECK(TextOf(sortCode) == L"12-34-56");
    CHECK(TextOf(number) == L"12345678");
    CHECK(account->get_Details(nullptr) == E_POINTER);
}

TEST_CASE("statement: records preparation, balances and each transaction's settings") {
    const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>();
    CHECK(statement->Prepare() == S_OK);
    CHECK(statement->put_Balance(0.0) == S_OK);
    {
        ComPtr<IVelmoraBankTransaction> transaction;
        CHECK(statement->NewTransaction(transaction.Out()) == S_OK);
        REQUIRE(transaction);
        Variant sequence;
        sequence.Get()->vt = VT_I4;
        sequence.Get()->lVal = 7;
        transaction->put_SequenceNumber(*sequence.Get());
        transaction->put_Credit(1);
        transaction->put_Amount(123.45);
        transaction->put_Date(40968.0); // 29 February 2012
        const Bstr reference = Bstr::Copy(L"REF  ");
        transaction->put_Reference(reference.Get());
        transaction->put_Narrative(nullptr);
        CHECK(!statement->Transactions()[0]->released);
    }
    CHECK(statement->PrepareCalls() == 1);
    CHECK(statement->BalancesSet() == std::vector<double>{0.0});
    REQUIRE(statement->Transactions().size() == 1);
    const ReceivedTransaction& received = *statement->Transactions()[0];
    CHECK(received.released);
    CHECK(received.sequenceType == VT_I4);
    CHECK(received.sequence == 7);
    CHECK(received.credit == 1);
    CHECK(received.amount == 123.45);
    CHECK(IsoDate(received.date) == "2012-02-29");
    CHECK(received.reference == L"REF  ");
    CHECK(received.narrative.empty());
    CHECK(received.propertiesSet == std::vector<std::string>{"SequenceNumber", "Credit", "Amount",
                                                             "Date", "Reference", "Narrative"});
    CHECK(statement->Totals().transactions == 1);
    CHECK(statement->Totals().amount == 123.45);
    CHECK(statement->Totals().textLength == 5u);
}

TEST_CASE("statement: keeping only the totals, it sums what each transaction was given") {
    const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>(nullptr, false);
    for (long sequence : {1L, 2L}) {
        ComPtr<IVelmoraBankTransaction> transaction;
        REQUIRE(statement->NewTransaction(transaction.Out()) == S_OK);
        Variant number;
        number.Get()->vt = VT_I4;
        number.Get()->lVal = sequence;
        transaction->put_SequenceNumber(*number.Get());
        transaction->put_Credit(1);
        transaction->put_Amount(10.5);
        transaction->put_Date(40968.0);
        const Bstr reference = Bstr::Copy(L"REF");
        transaction->put_Reference(reference.Get());
        transaction->put_Narrative(reference.Get());
    }
    const StatementTotals& totals = statement->Totals();
    CHECK(totals.transactions == 2);
    CHECK(totals.lastSequenceNumber == 2);
    CHECK(totals.credits == 2);
    CHECK(totals.amount == 21.0);
    CHECK(totals.dates == 2 * 40968.0);
    CHECK(totals.textLength == 12u);
    CHECK(statement->Transactions().empty());
}

namespace {

std::string lastRecognizedPath;

int __cdecl RecognizeEverything(char* description, const char* path) {
    lastRecognizedPath = path;
    std::strcpy(description, "Test Statement");
    return 1;
}

int __cdecl RecognizeNothing(char* description, const char*) {
    description[0] = 'X'; // must not be taken as a description
    return 0;
}

} // namespace

TEST_CASE("statement file selector: runs the recognition function on the chosen file") {
    auto state = std::make_shared<SelectorState>();
    state->candidates = {"C:\\statements\\february.txt"};
    state->statementPath = L"C:\\statements\\march.txt";
    const ComPtr<HostStatementFileSelector> selector =
        MakeHostObject<HostStatementFileSelector>(state);
    VelmoraStatementRecognizer recognizer = RecognizeEverything;
    CHECK(selector->SetRecognizer(&recognizer) == S_OK);
    CHECK(state->recognizerGiven);
    long outcome = -1;
    CHECK(selector->GetOutcome(&outcome) == S_OK);
    CHECK(outcome == 0);
    Bstr path;
    CHECK(selector->GetChosenPath(path.Out()) == S_OK);
    CHECK(TextOf(path) == L"C:\\statements\\march.txt");
    CHECK(lastRecognizedPath == "C:\\statements\\march.txt");
    CHECK(state->choices == std::vector<std::string>{"recognised as \"Test Statement\""});
    // A candidate the user looked at first: what the function left of the buffer shows.
    REQUIRE(state->recognitions.size() == 1);
    CHECK(state->recognitions[0].path == "C:\\statements\\february.txt");
    CHECK(state->recognitions[0].result == 1);
    CHECK(state->recognitions[0].description == "Test Statement");
    CHECK(selector->SetRecognizer(nullptr) == E_POINTER);
}

TEST_CASE("statement file selector: unrecognised files and a cancelled choice") {
    auto state = std::make_shared<SelectorState>();
    state->statementPath = L"C:\\other.txt";
    {
        const ComPtr<HostStatementFileSelector> selector =
            MakeHostObject<HostStatementFileSelector>(state);
        VelmoraStatementRecognizer recognizer = RecognizeNothing;
        selector->SetRecognizer(&recognizer);
        long outcome = -1;
        selector->GetOutcome(&outcome);
        CHECK(outcome == 0);
        CHECK(state->choices == std::vector<std::string>{"not recognised"});
    }
    state->cancel = true;
    state->choices.clear();
    const ComPtr<HostStatementFileSelector> selector =
        MakeHostObject<HostStatementFileSelector>(state);
    VelmoraStatementRecognizer recognizer = RecognizeEverything;
    selector->SetRecognizer(&recognizer);
    lastRecognizedPath.clear();
    long outcome = 0;
    CHECK(selector->GetOutcome(&outcome) == S_OK);
    CHECK(outcome != 0);
    Bstr path;
    CHECK(selector->GetChosenPath(path.Out()) == S_OK);
    CHECK(path.Length() == 0);
    CHECK(lastRecognizedPath.empty());
    CHECK(state->choices == std::vector<std::string>{"the user chose no file"});
}

TEST_CASE("configuration: fills the payment settings and records each call's bank name") {
    auto state = std::make_shared<ConfigurationState>();
    state->payment = {"batch.csv", "txt", "D:\\Payments"};
    const ComPtr<HostConfiguration> configuration = MakeHostObject<HostConfiguration>(state);

    char bankName[100] = "Northern Bank";
    char fileName[1024], extension[4], directory[1024];
    std::memset(fileName, 'x', sizeof fileName);
    std::memset(extension, 'x', sizeof extension);
    CHECK(configuration->GetPaymentSettings(bankName, fileName, extension, directory) == S_OK);
    CHECK(std::string(fileName) == "batch.csv");
    CHECK(std::string(extension) == "txt");
    CHECK(std::string(directory) == "D:\\Payments");

    char longBankName[1024] = "Northern Bank";
    longBankName[1000] = 'x'; // not zero-filled behind the name
    CHECK(configuration->ConfigureBank(longBankName, 3) == S_OK);
    state->statementSettings = "SET";
    char settings[400];
    std::memset(settings, 'x', sizeof settings);
    CHECK(configuration->GetStatementSettings(bankName, settings) == S_OK);
    CHECK(std::string(settings, 4) == std::string("SET\0", 4));
    CHECK(settings[399] == '\0');
    CHECK(configuration->GetPaymentSettings(nullptr, fileName, extension, directory) == E_POINTER);

    REQUIRE(state->calls.size() == 3);
    CHECK(state->calls[0].operation == "GetPaymentSettings");
    CHECK(state->calls[0].bankName == "Northern Bank");
    CHECK(state->calls[0].bankNameZeroFilled);
    CHECK(state->calls[1].operation == "ConfigureBank");
    CHECK(state->calls[1].mode == 3);
    CHECK(!state->calls[1].bankNameZeroFilled);
    CHECK(state->calls[2].operation == "GetStatementSettings");
}

TEST_CASE("configuration: describes its failures for its own interface unless told not to") {
    auto control = std::make_shared<HostControl>();
    const ComPtr<HostConfiguration> configuration =
        MakeHostObject<HostConfiguration>(std::make_shared<ConfigurationState>(), control);
    const ComPtr<ISupportErrorInfo> support =
        configuration.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    REQUIRE(support);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraBankConfiguration) == S_OK);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraPayment) == S_FALSE);
    control->SupportErrorInfo(false);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraBankConfiguration) == S_FALSE);
}

TEST_CASE("the control logs the calls in order, fails chosen calls and counts live objects") {
    const OleStarted ole;
    auto control = std::make_shared<HostControl>();
    {
        const ComPtr<HostPaymentBatch> batch = MakeHostObject<HostPaymentBatch>(
            std::vector<PaymentFields>{SamplePayment(), {}}, control);
        CHECK(control->LiveObjects() == 3);
        control->KeepLog();
        control->Fail("Batch.Item(1)", E_ACCESSDENIED, L"Payment locked");
        control->FailAt(3, E_FAIL);
        long count = 0;
        CHECK(batch->get_Count(&count) == S_OK);
        ComPtr<IVelmoraPayment> first;
        CHECK(batch->get_Item(0, first.Out()) == S_OK);
        double amount = 0;
        CHECK(first->get_Amount(&amount) == S_OK);
        wchar_t stale[] = L"stale";
        BSTR details = stale;
        CHECK(first->get_Details(&details) == E_FAIL);
        CHECK(details == nullptr);
        first.Reset();
        SetErrorInfo(0, nullptr);
        ComPtr<IVelmoraPayment> second;
        CHECK(batch->get_Item(1, second.Out()) == E_ACCESSDENIED);
        CHECK(!second);
        ComPtr<IErrorInfo> error;
        REQUIRE(GetErrorInfo(0, error.Out()) == S_OK);
        Bstr description;
        error->GetDescription(description.Out());
        CHECK(TextOf(description) == L"Payment locked");
        CHECK(control->Log() == std::vector<std::string>{"Batch.Count", "Batch.Item(0)",
                                                         "Payment[0].Amount", "Payment[0].Details",
                                                         "Payment[0].Released", "Batch.Item(1)"});
        control->Restore();
        CHECK(batch->get_Item(1, second.Out()) == S_OK);
        CHECK(control->LiveObjects() == 3);
    }
    CHECK(control->LiveObjects() == 0);
    CHECK(control->Log().back() == "Batch.Destroyed");
}

TEST_CASE("every host object refuses an unknown interface and clears the out-pointer") {
    const OleStarted ole;
    HostKit kit;
    const std::shared_ptr<HostControl>& control = kit.SharedControl();
    const ComPtr<HostPaymentBatch> batch =
        MakeHostObject<HostPaymentBatch>(std::vector<PaymentFields>{SamplePayment()}, control);
    const ComPtr<HostBankAccount> account =
        MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678", control);
    ComPtr<IVelmoraBankDetails> details;
    REQUIRE(account->get_Details(details.Out()) == S_OK);
    const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>(control);
    ComPtr<IVelmoraBankTransaction> transaction;
    REQUIRE(statement->NewTransaction(transaction.Out()) == S_OK);
    std::vector<ComPtr<IUnknown>> objects = {
        batch.As<IUnknown>(IID_IUnknown),     batch->Payments()[0].As<IUnknown>(IID_IUnknown),
        account.As<IUnknown>(IID_IUnknown),   details.As<IUnknown>(IID_IUnknown),
        statement.As<IUnknown>(IID_IUnknown), transaction.As<IUnknown>(IID_IUnknown),
    };
    for (const CLSID* registered :
         {&CLSID_VelmoraBankConfiguration, &CLSID_VelmoraStatementFileSelector}) {
        ComPtr<IClassFactory> factory;
        REQUIRE(CoGetClassObject(*registered, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                 factory.OutVoid()) == S_OK);
        ComPtr<IUnknown> created;
        REQUIRE(factory->CreateInstance(nullptr, IID_IUnknown, created.OutVoid()) == S_OK);
        objects.push_back(factory.As<IUnknown>(IID_IUnknown));
        objects.push_back(created);
    }
    for (const ComPtr<IUnknown>& object : objects) {
        CheckRefusesUnknownInterface(object.Get());
    }
}
