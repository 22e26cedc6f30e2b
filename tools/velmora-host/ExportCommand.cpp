// velmora-host export: a payment run of a batch file through the bank's payment service.
#include "tools/velmora-host/Arguments.h"
#include "tools/velmora-host/BankConnection.h"
#include "tools/velmora-host/BatchFile.h"
#include "tools/velmora-host/Commands.h"
#include "tools/velmora-host/HostSession.h"
#include "tools/velmora-host/Output.h"
#include "hostkit/PaymentBatch.h"
#include "tools/velmora-host/ScriptedUser.h"
#include "hostkit/TextConversion.h"

#include "com/Bstr.h"

#include <VelmoraBankPayments.h>

#include <cstdio>
#include <memory>

namespace {

using nlohmann::json;

std::string ReadWholeFile(const std::wstring& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rb"), &fclose);
    if (!file) {
        throw HostFailure("cannot open the batch file " + Utf8FromWide(path), ExitUsage);
    }
    std::string text;
    char block[4096];
    size_t read = 0;
    while ((read = fread(block, 1, sizeof block, file.get())) > 0) {
        text.append(block, read);
    }
    return text;
}

PaymentBatchFile ReadBatch(const std::wstring& path) {
    try {
        return ReadPaymentBatch(ReadWholeFile(path));
    } catch (const CsvError& error) {
        throw HostFailure("the batch file " + Utf8FromWide(path) + " is refused: line " +
                              std::to_string(error.Line()) + ": " + error.what(),
                          ExitUsage);
    }
}

// A setting for one of the configuration object's narrow buffers.
std::string Setting(const Arguments& arguments, const wchar_t* name, const std::string& fallback,
                    size_t bufferSize) {
    const std::optional<std::wstring> value = arguments.Value(name);
    if (!value) {
        return fallback;
    }
    const std::string narrow = AnsiFromWide(*value);
    if (narrow.size() >= bufferSize) {
        throw HostFailure("option " + Utf8FromWide(name) + " may hold at most " +
                              std::to_string(bufferSize - 1) + " characters",
                          ExitUsage);
    }
    return narrow;
}

PaymentSettings SettingsFrom(const Arguments& arguments) {
    const PaymentSettings defaults;
    PaymentSettings settings;
    settings.directory =
        Setting(arguments, L"--directory", defaults.directory, HostConfiguration::DirectorySize);
    settings.fileName =
        Setting(arguments, L"--file-name", defaults.fileName, HostConfiguration::FileNameSize);
    settings.extension =
        Setting(arguments, L"--extension", defaults.extension, HostConfiguration::ExtensionSize);
    return settings;
}

std::optional<int> FormatFrom(const Arguments& arguments) {
    const std::optional<std::wstring> format = arguments.Value(L"--format");
    if (!format) {
        return std::nullopt;
    }
    if (*format == L"one-to-one") {
        return 0;
    }
    if (*format == L"bacs-id") {
        return 1;
    }
    throw HostFailure("--format is one-to-one or bacs-id", ExitUsage);
}

std::optional<SYSTEMTIME> DateFrom(const Arguments& arguments) {
    const std::optional<std::wstring> text = arguments.Value(L"--date");
    if (!text) {
        return std::nullopt;
    }
    SYSTEMTIME date{};
    wchar_t rest = 0;
    FILETIME check{};
    if (swscanf(text->c_str(), L"%4hu-%2hu-%2hu%lc", &date.wYear, &date.wMonth, &date.wDay,
                &rest) != 3 ||
        text->size() != 10 || !SystemTimeToFileTime(&date, &check)) {
        throw HostFailure("--date is a calendar date written YYYY-MM-DD", ExitUsage);
    }
    return date;
}

json StatusCodesOf(const HostPayment& payment, IVelmoraBankPaymentService* service) {
    json codes = json::array();
    for (const long code : payment.StatusCodesSet()) {
        Bstr message;
        const HRESULT result = service->GetStatusText(code, message.Out());
        json entry = {{"code", code}, {"message", nullptr}};
        if (FAILED(result)) {
            entry["messageResult"] = HexResult(result);
        } else if (message.Get() != nullptr) {
            entry["message"] = Utf8FromWide(WideFromBstr(message.Get()));
        }
        codes.push_back(entry);
    }
    return codes;
}

} // namespace

int RunExportCommand(const std::vector<std::wstring>& commandArguments) {
    const Arguments arguments(commandArguments,
                              {L"--batch", L"--directory", L"--file-name", L"--extension",
                               L"--format", L"--date", L"--save-as"},
                              {L"--json", L"--interactive"});
    arguments.Required(L"--batch");
    const PaymentBatchFile batchFile = ReadBatch(*arguments.FullPath(L"--batch"));
    const PaymentSettings settings = SettingsFrom(arguments);
    const UserAnswers answers{FormatFrom(arguments), DateFrom(arguments),
                              arguments.FullPath(L"--save-as")};

    HostSession session;
    session.Configuration().payment = settings;
    const ComPtr<IVelmoraBank> bank = CreateRegisteredBank();
    const ComPtr<IVelmoraBankPaymentService> service =
        FindService<IVelmoraBankPaymentService>(bank.Get());
    if (!service) {
        throw HostFailure("the bank offers no payment service", ExitComponentFailed);
    }
    const ComPtr<HostPaymentBatch> batch = MakeHostObject<HostPaymentBatch>(batchFile.payments);

    json report = {{"command", "export"}, {"problems", session.Problems()}};
    std::optional<ScriptedUser> user;
    if (!arguments.Flag(L"--interactive")) {
        user.emplace(answers);
    }
    SetErrorInfo(0, nullptr);
    // The run's second argument is the host's bank account, which the run does not use.
    const HRESULT result = service->ExportPayments(batch.Get(), nullptr);
    report["result"] = HexResult(result);
    report["error"] = FAILED(result) ? LastErrorDescription() : std::string();
    if (user) {
        report["dialogs"] = user->Actions();
        report["messageBoxes"] = MessageBoxesJson(user->MessageBoxes());
        user.reset();
    }

    long status = -1;
    CheckComponentCall(service->get_Status(&status), "reading the payment service's status");
    report["status"] = status;
    report["paymentCount"] = batch->Payments().size();
    report["itemRequests"] = batch->ItemRequests();
    json invalid = json::array();
    for (size_t position = 0; position < batch->Payments().size(); ++position) {
        const HostPayment& payment = *batch->Payments()[position].Get();
        if (!payment.StatusCodesSet().empty()) {
            // Numbered as the user counts the batch's payments, from 1.
            invalid.push_back({{"number", position + 1},
                               {"line", batchFile.lines[position]},
                               {"statusCodes", StatusCodesOf(payment, service.Get())}});
        }
    }
    report["payments"] = invalid;
    report["configurationCalls"] = ConfigurationCallsJson(session.Configuration().calls);

    PrintExportReport(report, arguments.Flag(L"--json"));
    return FAILED(result) ? ExitComponentFailed : ExitSuccess;
}
