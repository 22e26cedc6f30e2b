// Exports 100,000 payments through RunPaymentExport from in-process host objects, and writes the
// same lines in a plain loop without any COM call; prints both speeds and their ratio (the run
// should take at most three times as long as the plain loop).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "com/ComInitialization.h"
#include "fixtures/AnsweringUser.h"
#include "fixtures/TempFolder.h"
#include "hostkit/HostKit.h"
#include "hostkit/PaymentBatch.h"
#include "payments/PaymentRun.h"

namespace {

constexpr int PaymentCount = 100000;
constexpr int Rounds = 5;

double Seconds() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A few different payments, handed out in turn.
std::vector<PaymentFields> SamplePayments() {
    std::vector<PaymentFields> samples;
    const wchar_t* names[] = {L"J. Smith & Co.", L"Northern Widgets Ltd", L"O'Hara Builders",
                              L"Green Lane Garage"};
    for (int i = 0; i < 4; ++i) {
        PaymentFields values;
        values.amount = 150.5 + 1000.25 * i;
        values.payerSortCode = L"12-34-56";
        values.payerAccountNumber = L"12345678";
        values.payerAccountName = L"ACME Supplies Ltd";
        values.payeeSortCode = L"65-43-2" + std::to_wstring(i);
        values.payeeAccountNumber = L"8765432" + std::to_wstring(i);
        values.payeeAccountName = names[i];
        values.payeeBacsReference = L"INV 1042/" + std::to_wstring(i);
        samples.push_back(values);
    }
    return samples;
}

// The fields of the samples as the payment file holds them, prepared once.
struct PlainFields {
    const char* payer;
    const char* payee;
    double amount;
    const char* payeeName;
    const char* payerName;
};

const PlainFields PlainSamples[] = {
    {"12345612345678", "65432087654320", 150.5, "J Smith  Co", "ACME Supplies Ltd"},
    {"12345612345678", "65432187654321", 1150.75, "Northern Widgets L", "ACME Supplies Ltd"},
    {"12345612345678", "65432287654322", 2151.0, "OHara Builders", "ACME Supplies Ltd"},
    {"12345612345678", "65432387654323", 3151.25, "Green Lane Garage", "ACME Supplies Ltd"},
};

// Formats one line of a plain sample into text; returns its length.
int FormatPlainLine(const PlainFields& fields, char (&text)[512]) {
    return std::snprintf(text, sizeof text,
                         "\"CMGB\",\"1.0\",\"%s\",\"\",\"%s\",\"%.2f\",\"07012013\",\"GBP\",\"F\","
                         "\"%s\",\"%s\",\"%s\",\"\",\"\",\"\",\"\",\"%s\",\"\",\"\"\n",
                         fields.payer, fields.payee, fields.amount, fields.payeeName,
                         fields.payeeName, fields.payerName, fields.payerName);
}

// The plain loop: formats each line from in-memory fields and writes it, one write per line
// in text mode as the run does; no COM call, no validation.
double TimePlainLoop(const std::string& path) {
    const double start = Seconds();
    std::FILE* file = std::fopen(path.c_str(), "w+");
    char line[512];
    for (int i = 0; i < PaymentCount; ++i) {
        const int length = FormatPlainLine(PlainSamples[i % 4], line);
        std::fwrite(line, 1, static_cast<size_t>(length), file);
    }
    std::fclose(file);
    return Seconds() - start;
}

// Only the writing: the four lines are formatted before the clock starts.
double TimeWritesOnly(const std::string& path) {
    std::string lines[4];
    for (int i = 0; i < 4; ++i) {
        char line[512];
        lines[i].assign(line, static_cast<size_t>(FormatPlainLine(PlainSamples[i], line)));
    }
    const double start = Seconds();
    std::FILE* file = std::fopen(path.c_str(), "w+");
    for (int i = 0; i < PaymentCount; ++i) {
        std::fwrite(lines[i % 4].data(), 1, lines[i % 4].size(), file);
    }
    std::fclose(file);
    return Seconds() - start;
}

double TimeRun(IVelmoraPaymentBatch* batch) {
    long status = -1;
    const double start = Seconds();
    const HRESULT result = RunPaymentExport(batch, status);
    const double elapsed = Seconds() - start;
    if (result != S_OK || status != Succeeded) {
        std::printf("The run failed: result 0x%08lX, status %ld\n",
                    static_cast<unsigned long>(result), status);
    }
    return elapsed;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, read);
        }
        std::fclose(file);
    }
    return bytes;
}

SYSTEMTIME SeventhJanuary2013() {
    SYSTEMTIME time = {};
    time.wYear = 2013;
    time.wMonth = 1;
    time.wDay = 7;
    return time;
}

} // namespace

int main() {
    ScopedComInitialization com;
    {
        TempFolder folder;
        HostKit host;
        host.Configuration().payment.directory = folder.Path();

        const std::vector<PaymentFields> samples = SamplePayments();
        std::vector<PaymentFields> payments;
        for (int i = 0; i < PaymentCount; ++i) {
            payments.push_back(samples[static_cast<size_t>(i % 4)]);
        }
        const ComPtr<HostPaymentBatch> batch =
            MakeHostObject<HostPaymentBatch>(payments, host.SharedControl());

        SYSTEMTIME date = SeventhJanuary2013();
        DATE processingDate = 0;
        SystemTimeToVariantTime(&date, &processingDate);
        AnsweringUser user;
        user.formatAnswer = {IDOK, OneToOne, processingDate};
        user.chosenPath = folder / "run.csv";
        const std::string plainPath = folder / "plain.csv";

        const std::string writesPath = folder / "writes.csv";

        double bestRun = 1e9;
        double bestPlain = 1e9;
        double bestWrites = 1e9;
        for (int round = 0; round < Rounds; ++round) {
            bestRun = std::min(bestRun, TimeRun(batch.Get()));
            bestPlain = std::min(bestPlain, TimePlainLoop(plainPath));
            bestWrites = std::min(bestWrites, TimeWritesOnly(writesPath));
        }
        const std::string written = FileBytes(user.chosenPath);
        const bool sameLines = written == FileBytes(plainPath) && written == FileBytes(writesPath);

        std::printf("payments exported:         %d (best of %d rounds)\n", PaymentCount, Rounds);
        std::printf("payment run:               %.3f s, %.0f payments/s\n", bestRun,
                    PaymentCount / bestRun);
        std::printf("plain loop, no COM calls:  %.3f s, %.0f payments/s\n", bestPlain,
                    PaymentCount / bestPlain);
        std::printf("writes only, preformatted: %.3f s, %.0f payments/s\n", bestWrites,
                    PaymentCount / bestWrites);
        std::printf("ratio run / plain loop:    %.2f (target: at most 3)\n", bestRun / bestPlain);
        std::printf("ratio run / writes only:   %.2f\n", bestRun / bestWrites);
        std::printf("files identical:           %s\n", sameLines ? "yes" : "NO");
    }
    return 0;
}
