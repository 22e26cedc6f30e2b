#include <doctest/doctest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "com/ComInitialization.h"
#include "fixtures/StatementFiles.h"
#include "fixtures/TempFolder.h"
#include "hostcall/ErrorGuard.h"
#include "hostkit/BankAccount.h"
#include "hostkit/HostKit.h"
#include "hostkit/Statement.h"
#include "statements/DebugTrace.h"
#include "statements/StatementImport.h"

namespace {

using Lines = std::vector<std::string>;
using Calls = std::vector<std::string>;

const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The host's bank account, and what its details give.
struct AccountSetup {
    std::wstring sortCode = L"12-34-56";
    std::wstring accountNumber = L"12345678";
    bool givesDetails = true;
    // Without texts the details answer S_FALSE and no text.
    bool givesTexts = true;
};

std::string Transaction(const std::string& reference, const std::string& sortCode = "123456",
                        const std::string& accountNumber = "12345678",
                        const std::string& code = "17") {
    TransactionLineFields fields;
    fields.reference = reference;
    fields.sortCode = sortCode;
    fields.accountNumber = accountNumber;
    fields.transactionCode = code;
    return TransactionLine(fields);
}

Lines WithLabels(const Lines& transactions) {
    Lines lines = HeaderLines();
    lines.insert(lines.end(), transactions.begin(), transactions.end());
    lines.push_back(TrailerLine());
    return lines;
}

std::string Trimmed(const std::wstring& text) {
    std::string narrow(text.begin(), text.end());
    narrow.erase(narrow.find_last_not_of(' ') + 1);
    return narrow;
}

// The calls of a whole selection in which the user chose a file.
const Calls SelectionCalls = {"SelectorClass.CreateInstance",
                              "ConfigurationClass.CreateInstance",
                              "Configuration.GetStatementSettings",
                              "Selector.SetRecognizer",
                              "Selector.GetOutcome",
                              "Selector.GetChosenPath",
                              "Selector.Destroyed",
                              "Configuration.Destroyed"};
const Calls PreparationCalls = {"Statement.Prepare", "Statement.Balance(0.000000)",
                                "Account.Details",   "Details.AccountNumber",
                                "Details.SortCode",  "Details.Destroyed"};

Calls Concat(const Calls& first, const Calls& second) {
    Calls all = first;
    all.insert(all.end(), second.begin(), second.end());
    return all;
}

// One statement service's state and the host of its imports. The host keeps the account and
// statement of the last import.
class ImportFixture {
public:
    ImportFixture() {
        host.Control().KeepLog();
        // The host may fill all of the settings buffer.
        host.Configuration().statementSettings = std::string(400, 'S');
    }

    // Lets the user choose a file of these lines.
    void ChooseFile(const Lines& lines, const std::string& lineEnd = "\n") {
        host.Selector().statementPath = Wide(folder.WriteLines("statement.txt", lines, lineEnd));
    }

    // Imports as the service does, inside its error guard; the log shows this import only, and
    // the failures chosen for it are taken back after it.
    HRESULT Import(const AccountSetup& setup = {}) {
        account = MakeHostObject<HostBankAccount>(setup.sortCode, setup.accountNumber,
                                                  host.SharedControl());
        statement = MakeHostObject<HostStatement>(host.SharedControl());
        if (!setup.givesDetails) {
            host.Control().Fail("Account.Details", E_FAIL);
        }
        if (!setup.givesTexts) {
            host.Control().Fail("Details.AccountNumber", S_FALSE);
            host.Control().Fail("Details.SortCode", S_FALSE);
        }
        if (!givesTransactions) {
            host.Control().Fail("Statement.NewTransaction", E_OUTOFMEMORY);
        }
        host.Control().ClearLog();
        status = -1;
        const HRESULT result = MethodErrorGuard([&] {
            return ImportStatement(account.Get(), statement.Get(), bankSortCode, bankAccountNumber,
                                   status);
        });
        host.Control().Restore();
        received.clear();
        for (const auto& transaction : statement->Transactions()) {
            received.push_back(*transaction);
        }
        return result;
    }

    const Calls& Log() const { return host.Control().Log(); }

    std::vector<std::string> References() const {
        std::vector<std::string> references;
        for (const ReceivedTransaction& transaction : received) {
            references.push_back(Trimmed(transaction.reference));
        }
        return references;
    }

    // Host objects the import left alive: all but the two class objects and the account and
    // statement the host keeps.
    int Leaked() const {
        return host.Control().LiveObjects() - 2 - (account ? 1 : 0) - (statement ? 1 : 0);
    }

    ScopedComInitialization com;
    HostKit host;
    TempFolder folder;
    ComPtr<HostBankAccount> account;
    ComPtr<HostStatement> statement;
    std::vector<ReceivedTransaction> received;
    bool givesTransactions = true;
    CString bankSortCode;
    CString bankAccountNumber;
    long status = -1;
};

} // namespace

TEST_CASE_FIXTURE(ImportFixture, "the account's transactions of both volumes reach the host") {
    ChooseFile(WithLabels({Transaction("T1"), Transaction("OTHER1", "123456", "87654321"),
                           LabelLine("XYZ", 90), Transaction("T2"),
                           Transaction("OTHER2", "654321", "12345678"), TrailerLine(),
                           HeaderLines()[0], HeaderLines()[1], Transaction("T3"),
                           Transaction("OTHER3", "123457", "12345678")}));
    CHECK(Import() == S_OK);
    CHECK(status == Completed);
    CHECK(std::string(bankSortCode.Text()) == "123456");
    CHECK(std::string(bankAccountNumber.Text()) == "12345678");
    CHECK(References() == std::vector<std::string>{"T1", "T2", "T3"});
    for (size_t index = 0; index < received.size(); ++index) {
        CHECK(received[index].sequenceType == VT_I4);
        CHECK(received[index].sequence == static_cast<long>(index) + 1);
    }

    Calls transactionCalls;
    for (int count = 0; count < 3; ++count) {
        for (const char* call :
             {"Statement.NewTransaction", "Transaction.SequenceNumber", "Transaction.Credit",
              "Transaction.Amount", "Transaction.Date", "Transaction.Reference",
              "Transaction.Narrative", "Transaction.Destroyed"}) {
            transactionCalls.push_back(call);
        }
    }
    CHECK(Log() == Concat(Concat(SelectionCalls, PreparationCalls), transactionCalls));
    const ConfigurationCall& settings = host.Configuration().calls.back();
    CHECK(settings.operation == "GetStatementSettings");
    CHECK(settings.bankName == "Northern Bank");
    CHECK(settings.bankNameZeroFilled);
    CHECK(Leaked() == 0);
}

TEST_CASE_FIXTURE(ImportFixture, "a transaction is handed over with every field converted") {
    TransactionLineFields fields;
    fields.amountInPence = "00000012345";
    fields.date = " 12060";
    fields.reference = "INVOICE 42";
    fields.narrative1 = "ABC";
    fields.narrative2 = "DEF";
    TransactionLineFields large = fields;
    large.amountInPence = "99999999999";
    ChooseFile(WithLabels({TransactionLine(fields), TransactionLine(large)}));
    REQUIRE(Import() == S_OK);
    REQUIRE(received.size() == 2);
    const ReceivedTransaction& first = received[0];
    CHECK(first.amount == doctest::Approx(123.45));
    CHECK(first.date == 40968.0); // 29 February 2012
    CHECK(first.reference == L"INVOICE 42        ");
    CHECK(first.narrative == L"ABC" + std::wstring(15, L' ') + L" DEF" + std::wstring(15, L' '));
    CHECK(first.credit == 0);
    CHECK(received[1].amount == doctest::Approx(999999999.99));
}

TEST_CASE_FIXTURE(ImportFixture, "the credit flag is 1 for credit codes and 0 for others") {
    const std::vector<std::string> codes = {"90", "93", "95", "99", "17", "01", "91"};
    Lines transactions;
    for (const std::string& code : codes) {
        transactions.push_back(Transaction(code, "123456", "12345678", code));
    }
    ChooseFile(WithLabels(transactions));
    REQUIRE(Import() == S_OK);
    REQUIRE(received.size() == codes.size());
    for (size_t index = 0; index < codes.size(); ++index) {
        CAPTURE(codes[index]);
        CHECK(received[index].credit == (index < 4 ? 1 : 0));
    }
}

TEST_CASE_FIXTURE(ImportFixture, "account texts must match the record's fields exactly") {
    ChooseFile(WithLabels({Transaction("T1"), Transaction("SPACED", "123456", "1234567 ")}));
    struct Case {
        std::wstring sortCode;
        std::wstring accountNumber;
        std::vector<std::string> references;
    };
    const Case cases[] = {
        {L"12-34-56", L"12345678", {"T1"}},   {L" 12 34 56 ", L"12345678", {"T1"}},
        {L"123456", L"1234567 ", {"SPACED"}}, {L"12-34-5", L"12345678", {}},
        {L"12-34-567", L"12345678", {}},      {L"12-34-56", L"123456789", {}},
        {L"12-34-56", L"1234567", {}},        {L"12-34-56", L" 12345678", {}},
    };
    for (const Case& test : cases) {
        CAPTURE(Trimmed(test.sortCode));
        CAPTURE(Trimmed(test.accountNumber));
        AccountSetup setup;
        setup.sortCode = test.sortCode;
        setup.accountNumber = test.accountNumber;
        REQUIRE(Import(setup) == S_OK);
        CHECK(References() == test.references);
    }
}

TEST_CASE_FIXTURE(ImportFixture, "account texts are cut to 32 characters") {
    ChooseFile(WithLabels({Transaction("T1")}));
    AccountSetup setup;
    setup.accountNumber = std::wstring(40, L'7');
    setup.sortCode = L"1-2-3-4-5-6-7-8-9-0-1-2-3-4-5-6-7-8-9";
    REQUIRE(Import(setup) == S_OK);
    CHECK(std::string(bankAccountNumber.Text()) == std::string(32, '7'));
    // Digits of the first 32 characters only.
    CHECK(std::string(bankSortCode.Text()) == "1234567890123456");
    CHECK(received.empty());
}

TEST_CASE_FIXTURE(ImportFixture, "account details the host cannot give keep the earlier ones") {
    ChooseFile(WithLabels({Transaction("T1"), LabelLine("XYZ", 50)}));
    AccountSetup none;
    none.givesDetails = false;
    // No details yet: the account texts are empty, and no passed-over line or trailer label is
    // taken for a transaction of an empty account.
    REQUIRE(Import(none) == S_OK);
    CHECK(received.empty());
    CHECK(bankSortCode.Length() == 0);
    CHECK(Log() == Concat(SelectionCalls,
                          {"Statement.Prepare", "Statement.Balance(0.000000)", "Account.Details"}));

    REQUIRE(Import() == S_OK);
    CHECK(References() == std::vector<std::string>{"T1"});
    REQUIRE(Import(none) == S_OK);
    CHECK(References() == std::vector<std::string>{"T1"});

    // Details without texts keep the texts too.
    AccountSetup noTexts;
    noTexts.givesTexts = false;
    REQUIRE(Import(noTexts) == S_OK);
    CHECK(std::string(bankSortCode.Text()) == "123456");
    CHECK(References() == std::vector<std::string>{"T1"});
    CHECK(Leaked() == 0);
}

TEST_CASE_FIXTURE(ImportFixture, "a cancelled selection leaves the statement untouched") {
    ChooseFile(WithLabels({Transaction("T1")}));
    host.Selector().cancel = true;
    CHECK(Import() == S_OK);
    CHECK(status == NoFileSelected);
    CHECK(Log() == SelectionCalls);
    CHECK(received.empty());
    CHECK(Leaked() == 0);
}

TEST_CASE_FIXTURE(ImportFixture, "a file that is not the bank's is prepared for but not read") {
    Lines lines = WithLabels({Transaction("T1")});
    lines[0] = VolumeHeaderLine(80, 41);
    ChooseFile(lines);
    CHECK(Import() == S_OK);
    CHECK(status == Completed);
    CHECK(Log() == Concat(SelectionCalls, PreparationCalls));
    CHECK(received.empty());

    // No path from the selector, or a path to nothing: the same.
    host.Control().Fail("Selector.GetChosenPath", S_OK);
    CHECK(Import() == S_OK);
    CHECK(Log() == Concat(SelectionCalls, PreparationCalls));
    host.Selector().statementPath = Wide(folder.Path() + "\\missing.txt");
    CHECK(Import() == S_OK);
    CHECK(status == Completed);
    CHECK(received.empty());

    // A path the ANSI code page cannot hold names no file, not the file its look-alike names.
    folder.WriteLines("stmt-A.txt", WithLabels({Transaction("T1")}));
    const struct {
        const char* character;
        const wchar_t* name;
    } lookAlikes[] = {{"A with macron", L"stmt-\u0100.txt"}, {"full-width s", L"\uff53tmt-A.txt"}};
    for (const auto& lookAlike : lookAlikes) {
        INFO(lookAlike.character);
        host.Selector().statementPath = Wide(folder.Path() + "\\") + lookAlike.name;
        DebugTraceCollector collector;
        CHECK(Import() == S_OK);
        CHECK(status == Completed);
        CHECK(Log() == Concat(SelectionCalls, PreparationCalls));
        CHECK(received.empty());
        // The reader traces its failure to open, with the path it was given: none.
        REQUIRE(collector.Texts().size() >= 3);
        const std::vector<std::string> readerTexts(collector.Texts().end() - 3,
                                                   collector.Texts().end());
        CHECK(readerTexts ==
              std::vector<std::string>{"ReadVolumeHeaderLabel",
                                       "CNorthernBankTransactionFile() failed to open: ", ""});
    }
    CHECK(Leaked() == 0);
}

TEST_CASE_FIXTURE(ImportFixture, "the selector hands candidate files to the recognition function") {
    const std::string good = folder.WriteLines("good.txt", WithLabels({Transaction("T1")}));
    const std::string onlyVolume = folder.WriteLines("volume.txt", {VolumeHeaderLine()});
    const std::string crlf = folder.WriteLines("crlf.txt", HeaderLines(), "\r\n");
    const std::string shifted = folder.WriteLines("shifted.txt", {VolumeHeaderLine(80, 43)});
    const std::string shortLabel = folder.WriteLines("short.txt", {VolumeHeaderLine(79)});
    const std::string missing = folder.Path() + "\\missing.txt";
    host.Selector().candidates = {good,       onlyVolume, crlf,         shifted,
                                  shortLabel, missing,    folder.Path()};
    host.Selector().cancel = true;

    DebugTraceCollector collector;
    REQUIRE(Import() == S_OK);
    const std::string untouched(63, '#');
    const std::vector<int> results = {1, 1, 1, 0, 0, 0, 0};
    REQUIRE(host.Selector().recognitions.size() == results.size());
    for (size_t index = 0; index < results.size(); ++index) {
        const Recognition& recognition = host.Selector().recognitions[index];
        CAPTURE(recognition.path);
        CHECK(recognition.result == results[index]);
        CHECK(recognition.description ==
              (recognition.result == 1 ? "Northen Bank Statement" : untouched));
    }
    // The first file is read as far as its header labels, and closed again.
    const std::vector<std::string> firstTexts(collector.Texts().begin(),
                                              collector.Texts().begin() + 4);
    CHECK(firstTexts == std::vector<std::string>{"ReadVolumeHeaderLabel", "ReadHeaderLabel1",
                                                 "ReadHeaderLabel2", "ReadUserHeaderLabel"});
    // The recognition closed the file again: it can be deleted.
    CHECK(DeleteFileA(good.c_str()));
}

TEST_CASE_FIXTURE(ImportFixture, "the import traces the reading of the file in order") {
    ChooseFile(WithLabels({Transaction("T1"), TrailerLine(), Transaction("T2")}));
    DebugTraceCollector collector;
    REQUIRE(Import() == S_OK);
    CHECK(References() == std::vector<std::string>{"T1", "T2"});
    // The selector recognises the chosen file first, reading its header labels.
    CHECK(collector.Texts() ==
          std::vector<std::string>{"ReadVolumeHeaderLabel", "ReadHeaderLabel1", "ReadHeaderLabel2",
                                   "ReadUserHeaderLabel", "ReadVolumeHeaderLabel",
                                   "ReadHeaderLabel1", "ReadHeaderLabel2", "ReadUserHeaderLabel",
                                   "ErrEndOfVolume encountered\n",
                                   "Continuing for multi-volume file\n",
                                   "ErrEndOfVolume encountered\n", "End of second volume\n"});
}

TEST_CASE_FIXTURE(ImportFixture, "carriage-return line ends import the same transactions") {
    ChooseFile(WithLabels({Transaction("T1"), "", Transaction("T2")}), "\r\n");
    REQUIRE(Import() == S_OK);
    CHECK(References() == std::vector<std::string>{"T1", "T2"});
    CHECK(received[1].date == 40968.0);
}

TEST_CASE_FIXTURE(ImportFixture, "failing host objects are reported as COM errors") {
    ChooseFile(WithLabels({Transaction("T1")}));

    SUBCASE("statement settings refused") {
        host.Control().Fail("Configuration.GetStatementSettings", E_ACCESSDENIED,
                            L"Settings are locked");
        CHECK(Import() == DISP_E_EXCEPTION);
        CHECK(Log() == Calls{"SelectorClass.CreateInstance", "ConfigurationClass.CreateInstance",
                             "Configuration.GetStatementSettings", "Selector.Destroyed",
                             "Configuration.Destroyed"});
        // The host's error object went with the COM error.
        IErrorInfo* info = nullptr;
        CHECK(GetErrorInfo(0, &info) == S_FALSE);
    }
    SUBCASE("recognition function refused") {
        host.Control().Fail("Selector.SetRecognizer", E_FAIL);
        CHECK(Import() == DISP_E_EXCEPTION);
        CHECK(Log() == Calls{"SelectorClass.CreateInstance", "ConfigurationClass.CreateInstance",
                             "Configuration.GetStatementSettings", "Selector.SetRecognizer",
                             "Selector.Destroyed", "Configuration.Destroyed"});
    }
    SUBCASE("no transaction object") {
        givesTransactions = false;
        CHECK(Import() == DISP_E_EXCEPTION);
        CHECK(Log().back() == "Statement.NewTransaction");
    }
    SUBCASE("no statement or no account") {
        const ComPtr<HostStatement> unused = MakeHostObject<HostStatement>(host.SharedControl());
        const ComPtr<HostBankAccount> someAccount =
            MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678", host.SharedControl());
        CHECK(MethodErrorGuard([&] {
                  return ImportStatement(someAccount.Get(), nullptr, bankSortCode,
                                         bankAccountNumber, status);
              }) == DISP_E_EXCEPTION);
        CHECK(MethodErrorGuard([&] {
                  return ImportStatement(nullptr, unused.Get(), bankSortCode, bankAccountNumber,
                                         status);
              }) == DISP_E_EXCEPTION);
        CHECK(unused->Transactions().empty());
    }
    CHECK(status == Completed);
    CHECK(received.empty());
    CHECK(Leaked() == 0);
}

TEST_CASE("host classes that cannot be created are reported as COM errors") {
    for (bool selectorRegistered : {false, true}) {
        CAPTURE(selectorRegistered);
        ScopedComInitialization com;
        HostKit host(!selectorRegistered, selectorRegistered);
        host.Control().KeepLog();
        const ComPtr<HostBankAccount> account =
            MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678", host.SharedControl());
        const ComPtr<HostStatement> statement = MakeHostObject<HostStatement>(host.SharedControl());
        CString sortCode;
        CString accountNumber;
        long status = -1;
        CHECK(MethodErrorGuard([&] {
                  return ImportStatement(account.Get(), statement.Get(), sortCode, accountNumber,
                                         status);
              }) == DISP_E_EXCEPTION);
        CHECK(status == Completed);
        // The settings are asked for before the selector is used.
        const Calls expected =
            selectorRegistered
                ? Calls{"SelectorClass.CreateInstance", "Selector.Destroyed"}
                : Calls{"ConfigurationClass.CreateInstance", "Configuration.GetStatementSettings",
                        "Configuration.Destroyed"};
        CHECK(host.Control().Log() == expected);
    }
}

TEST_CASE_FIXTURE(ImportFixture, "a chosen path longer than the path limit is refused") {
    host.Selector().statementPath = L"C:\\" + std::wstring(MAX_PATH, L'a') + L".txt";
    CHECK(Import() == InvalidArgument);
    CHECK(Log() == SelectionCalls);
    CHECK(received.empty());
}

TEST_CASE_FIXTURE(ImportFixture, "bad files never crash and never give a wrong transaction") {
    std::string garbage;
    for (int index = 0; index < 20000; ++index) {
        garbage += static_cast<char>((index * 7919 + index / 13) % 256);
    }
    const std::string goodLines = [] {
        std::string all;
        for (const std::string& line : WithLabels({Transaction("T1")})) {
            all += line + "\n";
        }
        return all;
    }();
    // Cut inside the trailer label's line end and inside the last transaction line.
    const std::string truncatedTrailer = goodLines.substr(0, goodLines.size() - 1);
    const std::string lastLine = goodLines.substr(0, goodLines.size() - 82 - 40);
    const std::string labelThenGarbage =
        goodLines.substr(0, goodLines.size() - 82 - 107) + std::string("\0\0\0", 3) + garbage;

    struct Case {
        std::string name;
        std::wstring path;
        std::vector<std::string> references;
    };
    const Case cases[] = {
        {"garbage", Wide(folder.WriteBytes("garbage.bin", garbage)), {}},
        {"directory", Wide(folder.Path()), {}},
        {"empty", Wide(folder.WriteBytes("empty.txt", "")), {}},
        {"truncated trailer", Wide(folder.WriteBytes("trailer.txt", truncatedTrailer)), {"T1"}},
        {"truncated transaction", Wide(folder.WriteBytes("last.txt", lastLine)), {}},
        {"garbage after labels", Wide(folder.WriteBytes("labels.bin", labelThenGarbage)), {}},
        {"unreadable name", L"C:\\no\\such<>folder\\statement.txt", {}},
    };
    for (const Case& test : cases) {
        CAPTURE(test.name);
        host.Selector().statementPath = test.path;
        CHECK(Import() == S_OK);
        CHECK(status == Completed);
        CHECK(References() == test.references);
    }

    // A file another program holds without sharing cannot be read.
    const std::string locked = folder.WriteLines("locked.txt", WithLabels({Transaction("T1")}));
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(holder != INVALID_HANDLE_VALUE);
    host.Selector().statementPath = Wide(locked);
    CHECK(Import() == S_OK);
    CloseHandle(holder);
    CHECK(received.empty());
    CHECK(Leaked() == 0);
}
