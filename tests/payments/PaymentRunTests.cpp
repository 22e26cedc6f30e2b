#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <doctest/doctest.h>

#include "com/ComInitialization.h"
#include "fixtures/AnsweringUser.h"
#include "fixtures/TempFolder.h"
#include "hostcall/ErrorGuard.h"
#include "hostkit/HostKit.h"
#include "hostkit/TextConversion.h"
#include "payments/PaymentRun.h"
#include "payments/SaveDialog.h"
#include "payments/VirtualStoreTesting.h"
#include "support/ComObjectProbes.h"
#include "support/LineTesting.h"

namespace {

const std::string ExampleOneToOneLine =
    "\"CMGB\",\"1.0\",\"12345612345678\",\"\",\"65432187654321\",\"150.50\",\"07012013\","
    "\"GBP\",\"F\",\"J Smith  Co\",\"J Smith  Co\",\"ACME Supplies Ltd\",\"\",\"\",\"\",\"\","
    "\"ACME Supplies Ltd\",\"\",\"\"\r\n";
const std::string ExampleBacsIdLine =
    "\"J. Smith & Co.\",\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\",\"99\"\r\n";

// The line with its first occurrence of one text replaced by another.
std::string Replaced(std::string line, const std::string& from, const std::string& to) {
    const size_t at = line.find(from);
    REQUIRE(at != std::string::npos);
    return line.replace(at, from.size(), to);
}

std::string Repeated(const std::string& line, int times) {
    std::string lines;
    for (int i = 0; i < times; ++i) {
        lines += line;
    }
    return lines;
}

using CallLog = std::vector<std::string>;

// A payment run against the host's objects: the configuration points at a folder of the test,
// and the user picks "Payment 1 To 1" for 7 January 2013 and pay.csv in that folder.
struct PaymentRun {
    ScopedComInitialization com;
    HostKit host;
    AnsweringUser user{&host.Control()};
    TempFolder folder;
    std::vector<PaymentFields> payments;
    ComPtr<HostPaymentBatch> batch;
    long status = -1;

    PaymentRun() {
        host.Control().KeepLog();
        host.Configuration().payment.directory = folder.Path();
        user.formatAnswer = {IDOK, OneToOne, DateOf(2013, 1, 7)};
        user.chosenPath = folder / "pay.csv";
    }

    void Add(const PaymentFields& values) { payments.push_back(values); }
    void AddExamples(int count) {
        for (int i = 0; i < count; ++i) {
            Add(ExamplePayment());
        }
    }
    HostPaymentBatch& Batch() {
        if (!batch) {
            batch = MakeHostObject<HostPaymentBatch>(payments, host.SharedControl());
        }
        return *batch.Get();
    }
    HRESULT Run() { return RunPaymentExport(&Batch(), status); }
    // As the payment service runs it.
    HRESULT RunGuarded(IVelmoraPaymentBatch* runBatch) {
        return MethodErrorGuard([&] { return RunPaymentExport(runBatch, status); });
    }
    const std::vector<long>& StatusCodes(size_t position) {
        return Batch().Payments()[position]->StatusCodesSet();
    }

    std::string Written() const { return ReadFileBytes(user.chosenPath); }
    // The log without the payments' property reads.
    CallLog Events() const {
        CallLog events;
        for (const std::string& entry : host.Control().Log()) {
            const bool read = entry.rfind("Payment[", 0) == 0 &&
                              entry.find(".SetStatusCode") == std::string::npos &&
                              entry.find(".Released") == std::string::npos;
            if (!read) {
                events.push_back(entry);
            }
        }
        return events;
    }
    // Every object the run was handed or created has all its references back: the host keeps
    // its two class objects, the batch and its payments, and nothing else.
    bool AllReleased() {
        const int kept = batch ? 1 + static_cast<int>(batch->Payments().size()) : 0;
        bool released =
            host.Control().LiveObjects() == 2 + kept && (!batch || ReferencesOf(batch.Get()) == 1);
        for (size_t position = 0; batch && position < batch->Payments().size(); ++position) {
            released = released && ReferencesOf(batch->Payments()[position].Get()) == 1;
        }
        return released;
    }
};

PaymentFields InvalidPayment() {
    PaymentFields values = ExamplePayment();
    values.amount = -5;
    return values;
}

} // namespace

TEST_CASE("a run reads the settings, asks the user and writes every payment in order") {
    PaymentRun run;
    run.AddExamples(1);
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Succeeded);
    CHECK(run.Written() == ExampleOneToOneLine);
    CHECK(run.host.Control().Log() ==
          CallLog{"ConfigurationClass.CreateInstance", "Configuration.GetPaymentSettings",
                  "User.FormatDialog", "User.SaveDialog", "Batch.Count", "Batch.Item(0)",
                  "Payment[0].PayerSortCode", "Payment[0].PayerAccountNumber",
                  "Payment[0].PayeeSortCode", "Payment[0].PayeeAccountNumber", "Payment[0].Amount",
                  "Payment[0].PayeeAccountName", "Payment[0].PayerAccountName",
                  "Payment[0].Released", "Configuration.Destroyed"});
    REQUIRE(run.host.Configuration().calls.size() == 1);
    CHECK(run.host.Configuration().calls[0].bankName == "Northern Bank");
    CHECK(run.host.Configuration().calls[0].bankNameZeroFilled);
    CHECK(run.user.formatDialogs == std::vector<PaymentFormat>{OneToOne});
    CHECK(run.user.messages.empty());
    CHECK(run.AllReleased());
}

TEST_CASE("the save dialog proposes the default path with the payment file filter") {
    PaymentRun run;
    run.host.Configuration().payment.fileName = "northern.txt";
    run.host.Configuration().payment.extension = "txt";
    CHECK(run.Run() == S_OK);
    REQUIRE(run.user.saveRequests.size() == 1);
    const AnsweringUser::SaveRequest& request = run.user.saveRequests[0];
    CHECK(request.initialFile == run.folder / "northern.txt");
    CHECK(request.filter ==
          std::vector<std::string>{"Payment Files (*.txt)", "*.txt", "All Files (*.*)", "*.*"});
    CHECK(request.filterIndex == 1u);
    CHECK(request.hasDefaultExtension);
    CHECK(request.defaultExtension == "txt");
    CHECK(request.flags == static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                              OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING));
    // The longest path Windows takes.
    CHECK(request.maxFile == 32767u);
    CHECK(request.title == nullptr);
}

TEST_CASE("without an extension the filter offers all files only") {
    PaymentRun run;
    run.host.Configuration().payment.extension = "";
    CHECK(run.Run() == S_OK);
    REQUIRE(run.user.saveRequests.size() == 1);
    CHECK(run.user.saveRequests[0].filter == std::vector<std::string>{"All Files (*.*)", "*.*"});
    CHECK_FALSE(run.user.saveRequests[0].hasDefaultExtension);
}

TEST_CASE("a missing default directory is reported before the dialogs and C:\\ proposed") {
    PaymentRun run;
    run.host.Configuration().payment.directory = "C:\\No Such Folder";
    CHECK(run.Run() == S_OK);
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings",
                                  "User.Message(Invalid default path)", "User.FormatDialog",
                                  "User.SaveDialog", "Batch.Count", "Configuration.Destroyed"});
    REQUIRE(run.user.saveRequests.size() == 1);
    CHECK(run.user.saveRequests[0].initialFile == "C:\\payments.csv");
}

TEST_CASE("an initial path longer than the dialog's buffer is cut to 259 characters") {
    PaymentRun run;
    run.host.Configuration().payment.fileName = std::string(300, 'p');
    CHECK(run.Run() == S_OK);
    REQUIRE(run.user.saveRequests.size() == 1);
    CHECK(run.user.saveRequests[0].initialFile ==
          (run.folder / std::string(300, 'p')).substr(0, 259));
}

TEST_CASE("an empty batch still asks for format and file and creates an empty file") {
    PaymentRun run;
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Succeeded);
    CHECK(FileExists(run.user.chosenPath));
    CHECK(run.Written().empty());
}

TEST_CASE("a batch that cannot count counts as empty") {
    PaymentRun run;
    run.AddExamples(2);
    run.host.Control().Fail("Batch.Count", E_FAIL);
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Succeeded);
    CHECK(FileExists(run.user.chosenPath));
    CHECK(run.Written().empty());
}

TEST_CASE("cancelling either dialog ends the run as cancelled without a file") {
    SUBCASE("the payment format dialog") {
        PaymentRun run;
        run.AddExamples(1);
        run.user.formatAnswer.endCode = IDCANCEL;
        CHECK(run.Run() == S_OK);
        CHECK(run.status == Cancelled);
        CHECK(run.user.saveRequests.empty());
        CHECK_FALSE(FileExists(run.user.chosenPath));
        CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                      "Configuration.GetPaymentSettings", "User.FormatDialog",
                                      "Configuration.Destroyed"});
    }
    SUBCASE("the save dialog") {
        PaymentRun run;
        run.AddExamples(1);
        run.user.saveEnd = SaveDialogEnd::Cancelled;
        CHECK(run.Run() == S_OK);
        CHECK(run.status == Cancelled);
        CHECK_FALSE(FileExists(run.user.chosenPath));
        CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                      "Configuration.GetPaymentSettings", "User.FormatDialog",
                                      "User.SaveDialog", "Configuration.Destroyed"});
    }
}

TEST_CASE("a payment the batch cannot hand out ends the file there as failed") {
    PaymentRun run;
    run.AddExamples(5);
    run.host.Control().Fail("Batch.Item(2)", E_INVALIDARG);
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Failed);
    CHECK(run.Written() == Repeated(ExampleOneToOneLine, 2));
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings", "User.FormatDialog",
                                  "User.SaveDialog", "Batch.Count", "Batch.Item(0)",
                                  "Payment[0].Released", "Batch.Item(1)", "Payment[1].Released",
                                  "Batch.Item(2)", "Configuration.Destroyed"});
    CHECK(run.AllReleased());
}

TEST_CASE("a batch handing out no payment where it should counts as a fetch failure") {
    PaymentRun run;
    run.AddExamples(3);
    run.host.Control().Fail("Batch.Item(1)", S_OK);
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Failed);
    CHECK(run.Written() == ExampleOneToOneLine);
}

TEST_CASE("invalid payments are written, marked and make the run S_FALSE") {
    PaymentRun run;
    run.Add(InvalidPayment());
    run.Add(ExamplePayment());
    run.Add(InvalidPayment());
    CHECK(run.Run() == S_FALSE);
    CHECK(run.status == PaymentsInvalid);
    const std::string invalidLine = Replaced(ExampleOneToOneLine, "\"150.50\"", "\"-5.00\"");
    CHECK(run.Written() == invalidLine + ExampleOneToOneLine + invalidLine);
    CHECK(run.StatusCodes(0) == std::vector<long>{21});
    CHECK(run.StatusCodes(1).empty());
    CHECK(run.StatusCodes(2) == std::vector<long>{21});
}

TEST_CASE("a fetch failure after an invalid payment leaves S_FALSE and status failed") {
    PaymentRun run;
    run.Add(InvalidPayment());
    run.AddExamples(2);
    run.host.Control().Fail("Batch.Item(1)", E_INVALIDARG);
    CHECK(run.Run() == S_FALSE);
    CHECK(run.status == Failed);
}

TEST_CASE("every Payment 1 To 1 line carries the chosen date, no BACS ID line a date") {
    SUBCASE("Payment 1 To 1") {
        PaymentRun run;
        run.AddExamples(3);
        run.user.formatAnswer = {IDOK, OneToOne, DateOf(2013, 3, 1)};
        CHECK(run.Run() == S_OK);
        CHECK(run.Written() ==
              Repeated(Replaced(ExampleOneToOneLine, "\"07012013\"", "\"01032013\""), 3));
    }
    SUBCASE("Business eBanking BACS ID") {
        PaymentRun run;
        run.AddExamples(3);
        run.user.formatAnswer = {IDOK, BacsId, DateOf(2013, 3, 1)};
        CHECK(run.Run() == S_OK);
        CHECK(run.status == Succeeded);
        CHECK(run.Written() == Repeated(ExampleBacsIdLine, 3));
    }
}

TEST_CASE("a null batch is an invalid argument after the status was reset") {
    PaymentRun run;
    run.status = Cancelled;
    CHECK(run.RunGuarded(nullptr) == static_cast<HRESULT>(0x800AFFFC));
    CHECK(run.status == Succeeded);
    CHECK(run.user.formatDialogs.empty());
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings", "Configuration.Destroyed"});
}

TEST_CASE("a configuration object that cannot be created fails the run untouched") {
    ScopedComInitialization com;
    AnsweringUser user;
    const ComPtr<HostPaymentBatch> batch =
        MakeHostObject<HostPaymentBatch>(std::vector<PaymentFields>{ExamplePayment()});
    long status = Cancelled;
    try {
        RunPaymentExport(batch.Get(), status);
        FAIL("the run must raise a COM error");
    } catch (const ComError& error) {
        CHECK(error.Result() == E_POINTER);
    }
    CHECK(MethodErrorGuard([&] { return RunPaymentExport(batch.Get(), status); }) ==
          DISP_E_EXCEPTION);
    CHECK(status == Cancelled);
    CHECK(user.formatDialogs.empty());
    CHECK(user.messages.empty());
}

TEST_CASE("a failing settings call raises the host's error and leaves the status") {
    PaymentRun run;
    run.host.Control().Fail("Configuration.GetPaymentSettings", E_ACCESSDENIED);
    run.status = PaymentsInvalid;
    try {
        run.Run();
        FAIL("the run must raise a COM error");
    } catch (const ComError& error) {
        CHECK(error.Result() == E_ACCESSDENIED);
    }
    CHECK(run.status == PaymentsInvalid);
    CHECK(run.RunGuarded(&run.Batch()) == DISP_E_EXCEPTION);
    CHECK(run.user.formatDialogs.empty());
    CHECK(run.AllReleased());
}

TEST_CASE("a file that cannot be opened fails the run without writing") {
    PaymentRun run;
    run.AddExamples(2);
    run.user.chosenPath = run.folder / "missing folder\\pay.csv";
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Failed);
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings", "User.FormatDialog",
                                  "User.SaveDialog", "Batch.Count", "Configuration.Destroyed"});
}

TEST_CASE("a chosen path longer than MAX_PATH is the user's choice, written where chosen") {
    PaymentRun run;
    run.AddExamples(2);
    const std::string folder = run.folder / std::string(120, 'd') + "\\" + std::string(120, 'e');
    std::filesystem::create_directories(WideFromAnsi(folder));
    run.user.chosenPath = folder + "\\pay.csv";
    REQUIRE(run.user.chosenPath.size() > MAX_PATH);
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Succeeded);
    CHECK(run.Written() == Repeated(ExampleOneToOneLine, 2));
}

TEST_CASE("a chosen path the run cannot take fails the run, naming no file") {
    PaymentRun run;
    run.AddExamples(1);
    SUBCASE("longer than the dialog's buffer") {
        run.user.saveEnd = SaveDialogEnd::PathTooLong;
    }
    SUBCASE("outside the ANSI code page") {
        run.user.chosenWidePath = WideFromAnsi(run.folder.Path()) + L"\\pay \u0100.csv";
    }
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Failed);
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings", "User.FormatDialog",
                                  "User.SaveDialog", "Batch.Count", "Configuration.Destroyed"});
    CHECK(run.folder.Entries().empty());
    // The save step itself gives no path to open.
    CString chosen("left over");
    CHECK(ChoosePaymentFile(CString("C:\\pay.csv"), "csv", BuildPaymentFileFilter("csv"), chosen));
    CHECK(chosen.Length() == 0);
}

TEST_CASE(
    "without administrative rights the file goes to the virtual store, and the user is told") {
    TempFolder store(VirtualStoreFolder());
    PaymentRun run;
    run.AddExamples(2);
    run.user.chosenPath = "C:\\" + store.Name() + "\\pay.csv";
    run.user.messageAnswer = IDNO;
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Succeeded);
    CHECK_FALSE(FileExists(run.user.chosenPath));
    CHECK(ReadFileBytes(store / "pay.csv") == Repeated(ExampleOneToOneLine, 2));
    // The notice comes once the file is complete.
    CHECK(run.Events() == CallLog{"ConfigurationClass.CreateInstance",
                                  "Configuration.GetPaymentSettings", "User.FormatDialog",
                                  "User.SaveDialog", "Batch.Count", "Batch.Item(0)",
                                  "Payment[0].Released", "Batch.Item(1)", "Payment[1].Released",
                                  "User.Message(Windows Redirect)", "Configuration.Destroyed"});
    REQUIRE(run.user.messages.size() == 1);
    CHECK(run.user.messages[0].text ==
          "Due to Windows Redirect your file was saved to: " + store / "pay.csv" +
              "\n\nWould you like to open the directory?");
}

TEST_CASE("with administrative rights an unopenable file fails at once, with no fallback") {
    TempFolder store(VirtualStoreFolder());
    AdministrativeRightsKey rights;
    PaymentRun run;
    run.AddExamples(1);
    run.user.chosenPath = "C:\\" + store.Name() + "\\pay.csv";
    CHECK(run.Run() == S_OK);
    CHECK(run.status == Failed);
    CHECK_FALSE(FileExists(store / "pay.csv"));
    CHECK(run.user.messages.empty());
}

TEST_CASE("a payment file that cannot be stored completely fails the run") {
    SUBCASE("the last lines are lost when the file is closed") {
        PaymentRun run;
        run.AddExamples(2);
        run.user.chosenPath = "Z:\\dev\\full";
        CHECK(run.Run() == S_OK);
        CHECK(run.status == Failed);
        CHECK(run.AllReleased());
    }
    SUBCASE("a write fails on the way: the run stops there") {
        PaymentRun run;
        run.AddExamples(200);
        run.user.chosenPath = "Z:\\dev\\full";
        CHECK(run.Run() == S_OK);
        CHECK(run.status == Failed);
        const CallLog events = run.Events();
        CHECK(std::count(events.begin(), events.end(), "Batch.Item(199)") == 0);
        CHECK(run.AllReleased());
    }
    SUBCASE("with invalid payments the result stays S_FALSE") {
        PaymentRun run;
        run.Add(InvalidPayment());
        run.user.chosenPath = "Z:\\dev\\full";
        CHECK(run.Run() == S_FALSE);
        CHECK(run.status == Failed);
    }
}
