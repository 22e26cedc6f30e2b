// Measures the statement import: transactions per second through ImportStatement into in-process
// host objects, and the ratio of its time to a plain line-by-line read of the same file.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "com/ComInitialization.h"
#include "fixtures/StatementFiles.h"
#include "fixtures/TempFolder.h"
#include "hostcall/ErrorGuard.h"
#include "hostkit/BankAccount.h"
#include "hostkit/HostKit.h"
#include "hostkit/Statement.h"
#include "statements/NorthernBankTransactionFile.h"
#include "statements/StatementImport.h"

namespace {

constexpr long TransactionCount = 1000000;

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A statement of the host's account with varied codes, amounts, dates and texts.
void WriteStatement(const std::string& path) {
    std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
    for (const std::string& label : HeaderLines()) {
        file << label << '\n';
    }
    const char* codes[] = {"17", "99", "01", "90", "93", "95"};
    char number[32];
    for (long index = 0; index < TransactionCount; ++index) {
        TransactionLineFields fields;
        fields.transactionCode = codes[index % 6];
        std::snprintf(number, sizeof number, "%011lld", index * 7919LL % 100000000LL);
        fields.amountInPence = number;
        std::snprintf(number, sizeof number, " %02ld%03ld", 10 + index % 20, 1 + index % 365);
        fields.date = number;
        fields.reference = "REF" + std::to_string(index);
        fields.narrative1 = "PAYMENT " + std::to_string(index % 977);
        fields.narrative2 = "SUPPLIER " + std::to_string(index % 113);
        file << TransactionLine(fields) << '\n';
    }
    file << TrailerLine() << '\n';
}

// The plain read that the import is compared with.
long ReadLines(const std::string& path, unsigned long& characters) {
    std::ifstream file(path, std::ios::in | std::ios::binary);
    std::string line;
    long lines = 0;
    characters = 0;
    while (std::getline(file, line)) {
        ++lines;
        characters += static_cast<unsigned long>(line.size());
    }
    return lines;
}

// The component's reader alone: every record of the file, handed to no one.
long ReadRecords(const std::string& path) {
    CNorthernBankTransactionFile file(path.c_str(), std::ios_base::in | std::ios_base::binary);
    CTransactionRecord record;
    long transactions = 0;
    while (file.ReadStatementRecord(record)) {
        transactions += record.HoldsTransaction() ? 1 : 0;
    }
    return transactions;
}

// What the host should receive from the file, taken from the reader's records outside the
// timing: the import is measured only when it delivers all of it.
StatementTotals ExpectedTotals(const std::string& path) {
    CNorthernBankTransactionFile file(path.c_str(), std::ios_base::in | std::ios_base::binary);
    CTransactionRecord record;
    StatementTotals totals;
    while (file.ReadStatementRecord(record)) {
        if (!record.HoldsTransaction()) {
            continue;
        }
        ++totals.transactions;
        totals.lastSequenceNumber = totals.transactions;
        totals.credits += record.IsCredit() ? 1 : 0;
        totals.amount += record.GetAmount();
        totals.dates += record.GetDate();
        totals.textLength += static_cast<unsigned long>(record.GetReference().Length() +
                                                        record.GetNarrative().Length());
    }
    return totals;
}

bool SameTotals(const StatementTotals& first, const StatementTotals& second) {
    return first.transactions == second.transactions &&
           first.lastSequenceNumber == second.lastSequenceNumber &&
           first.credits == second.credits && first.amount == second.amount &&
           first.dates == second.dates && first.textLength == second.textLength;
}

} // namespace

// The shortest of a few runs: the machine is shared, and other work only ever adds time.
template <typename Run> double BestTime(Run run) {
    constexpr int Runs = 3;
    double best = 0.0;
    for (int count = 0; count < Runs; ++count) {
        const double start = Seconds();
        run();
        const double time = Seconds() - start;
        best = count == 0 || time < best ? time : best;
    }
    return best;
}

int main() {
    TempFolder folder;
    const std::string path = folder / "statement.txt";
    WriteStatement(path);

    unsigned long characters = 0;
    long lines = 0;
    const double readTime = BestTime([&] { lines = ReadLines(path, characters); });
    long records = 0;
    const double recordsTime = BestTime([&] { records = ReadRecords(path); });

    ScopedComInitialization com;
    HostKit host;
    host.Selector().statementPath = std::wstring(path.begin(), path.end());
    const ComPtr<HostBankAccount> account =
        MakeHostObject<HostBankAccount>(L"12-34-56", L"12345678", host.SharedControl());
    CString sortCode;
    CString accountNumber;
    bool complete = true;
    StatementTotals totals;
    const double importTime = BestTime([&] {
        // Only the totals are kept, so that the figures are the component's.
        const ComPtr<HostStatement> statement =
            MakeHostObject<HostStatement>(host.SharedControl(), false);
        long status = -1;
        const HRESULT result = MethodErrorGuard([&] {
            return ImportStatement(account.Get(), statement.Get(), sortCode, accountNumber, status);
        });
        totals = statement->Totals();
        complete = complete && result == S_OK && status == Completed &&
                   totals.transactions == TransactionCount;
    });
    complete = complete && SameTotals(totals, ExpectedTotals(path));

    std::printf("lines in file:            %ld (%lu characters)\n", lines, characters);
    std::printf("plain line read:          %.3f s, %.0f lines per second\n", readTime,
                lines / readTime);
    std::printf("statement reader alone:   %.3f s, %.0f records per second, %.2f x plain read\n",
                recordsTime, records / recordsTime, recordsTime / readTime);
    std::printf("import:                   %.3f s, %.0f transactions per second\n", importTime,
                totals.transactions / importTime);
    std::printf("transactions imported:    %ld (last sequence number %ld, %ld credits)\n",
                totals.transactions, totals.lastSequenceNumber, totals.credits);
    std::printf("import / plain read:      %.2f (target at most 3)\n", importTime / readTime);
    std::printf("(each figure the shortest of 3 runs)\n");
    if (!complete) {
        std::printf("an import did not deliver every transaction as the file holds it\n");
    }
    return complete ? 0 : 1;
}
