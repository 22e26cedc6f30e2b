#include "tools/velmora-host/Output.h"

#include "hostkit/TextConversion.h"
#include "tools/velmora-host/ReportText.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

using nlohmann::json;

void PrintLine(const std::string& line) {
    std::printf("%s\n", line.c_str());
}

void PrintJson(const json& report) {
    PrintLine(report.dump(2, ' ', false, json::error_handler_t::replace));
}

// Keeps one report line per item: line ends inside texts are shown as \r and \n.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        line += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return line;
}

// The result as the report holds it (0x and eight hexadecimal digits), with its name if known.
std::string ResultName(const std::string& hexResult) {
    static const std::pair<HRESULT, const char*> names[] = {
        {S_OK, "S_OK"},
        {S_FALSE, "S_FALSE"},
        {E_NOTIMPL, "E_NOTIMPL"},
        {E_POINTER, "E_POINTER"},
        {E_INVALIDARG, "E_INVALIDARG"},
        {E_FAIL, "E_FAIL"},
        {E_UNEXPECTED, "E_UNEXPECTED"},
        {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
        {DISP_E_EXCEPTION, "DISP_E_EXCEPTION"},
    };
    const auto result = static_cast<HRESULT>(std::stoul(hexResult, nullptr, 16));
    for (const auto& [known, name] : names) {
        if (known == result) {
            return hexResult + " (" + name + ")";
        }
    }
    return hexResult;
}

std::string StatusLine(const json& report, const std::vector<const char*>& names) {
    const long status = report["status"].get<long>();
    const bool named = status >= 0 && static_cast<size_t>(status) < names.size();
    return "status: " + std::to_string(status) +
           (named ? std::string(" (") + names[static_cast<size_t>(status)] + ")" : "");
}

void PrintResult(const json& report) {
    PrintLine("result: " + ResultName(report["result"].get<std::string>()));
    const std::string error = report["error"].get<std::string>();
    if (!error.empty()) {
        PrintLine("error: " + error);
    }
}

void PrintProblems(const json& report) {
    for (const json& problem : report["problems"]) {
        PrintLine("warning: " + problem.get<std::string>());
    }
}

void PrintUser(const json& report) {
    if (!report.contains("dialogs")) {
        return;
    }
    for (const json& action : report["dialogs"]) {
        PrintLine("user: " + action.get<std::string>());
    }
    for (const json& box : report["messageBoxes"]) {
        PrintLine("message box \"" + box["caption"].get<std::string>() +
                  "\": " + OneLine(box["text"].get<std::string>()) + " [" +
                  box["answer"].get<std::string>() + "]");
    }
}

} // namespace

json MessageBoxesJson(const std::vector<SeenMessageBox>& boxes) {
    json list = json::array();
    for (const SeenMessageBox& box : boxes) {
        list.push_back({{"caption", box.caption}, {"text", box.text}, {"answer", box.answer}});
    }
    return list;
}

json ConfigurationCallsJson(const std::vector<ConfigurationCall>& calls) {
    json list = json::array();
    for (const ConfigurationCall& call : calls) {
        list.push_back({{"operation", call.operation},
                        {"bankName", Utf8FromWide(WideFromAnsi(call.bankName))},
                        {"bankNameZeroFilled", call.bankNameZeroFilled},
                        {"mode", call.mode}});
    }
    return list;
}

void PrintListReport(const json& report, bool asJson) {
    if (asJson) {
        PrintJson(report);
        return;
    }
    PrintProblems(report);
    PrintLine("bank: " + report["bank"].get<std::string>());
    PrintLine("fixed number: " + std::to_string(report["fixedNumber"].get<long>()));
    PrintLine("services: " + std::to_string(report["services"].size()) + " (" +
              std::to_string(report["enumerated"].get<int>()) + " enumerated)");
    for (const json& service : report["services"]) {
        PrintLine("service " + std::to_string(service["position"].get<int>()) + ": " +
                  service["name"].get<std::string>() + ", status " +
                  std::to_string(service["status"].get<long>()));
    }
    const json& configure = report["configure"];
    PrintLine("configure: " + ResultName(configure["result"].get<std::string>()));
    for (const json& call : configure["calls"]) {
        PrintLine("configuration received: " + call["operation"].get<std::string>() + " \"" +
                  call["bankName"].get<std::string>() + "\", mode " +
                  std::to_string(call["mode"].get<long>()));
    }
}

void PrintExportReport(const json& report, bool asJson) {
    if (asJson) {
        PrintJson(report);
        return;
    }
    PrintProblems(report);
    PrintUser(report);
    PrintResult(report);
    PrintLine(StatusLine(report, {"Succeeded", "PaymentsInvalid", "Failed", "Cancelled"}));
    for (const json& payment : report["payments"]) {
        for (const json& code : payment["statusCodes"]) {
            const std::string message =
                code["message"].is_string() ? code["message"].get<std::string>()
                : code.contains("messageResult")
                    ? "(no message: " + code["messageResult"].get<std::string>() + ")"
                    : "(no message)";
            PrintLine("payment " + std::to_string(payment["number"].get<int>()) + ": status code " +
                      std::to_string(code["code"].get<long>()) + ": " + message);
        }
    }
}

void PrintImportReport(const json& report, bool asJson) {
    if (asJson) {
        PrintJson(report);
        return;
    }
    PrintProblems(report);
    for (const json& choice : report["selector"]["choices"]) {
        PrintLine("file selector: " + choice.get<std::string>());
    }
    PrintResult(report);
    PrintLine(StatusLine(report, {"Completed", "NoFileSelected"}));
    std::string balances;
    for (const json& balance : report["balancesSet"]) {
        balances += (balances.empty() ? "" : ", ") + AmountText(balance.get<double>());
    }
    PrintLine("statement: prepared " + std::to_string(report["prepareCalls"].get<int>()) +
              " time(s), balance set to: " + (balances.empty() ? "nothing" : balances));
    PrintLine("sequence,credit,amount,date,reference,narrative");
    for (const json& transaction : report["transactions"]) {
        PrintLine(std::to_string(transaction["sequence"].get<long>()) + "," +
                  std::to_string(transaction["credit"].get<long>()) + "," +
                  AmountText(transaction["amount"].get<double>()) + "," +
                  transaction["date"].get<std::string>() + "," +
                  CsvQuoted(transaction["reference"].get<std::string>()) + "," +
                  CsvQuoted(transaction["narrative"].get<std::string>()));
    }
}

void PrintError(const std::string& message) {
    std::fprintf(stderr, "velmora-host: %s\n", message.c_str());
}

std::string CsvQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}
