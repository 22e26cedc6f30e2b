// The statement file reader on files of this machine.
#include <string>
#include <vector>
#include <doctest/doctest.h>

#include "fixtures/StatementFiles.h"
#include "statements/NorthernBankTransactionFile.h"
#include "support/ScratchFile.h"

namespace {

// The sort codes of the transactions read, and how many reads it took to stop.
struct Reading {
    std::vector<std::string> sortCodes;
    int reads = 0;
};

Reading ReadAll(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\n";
    }
    const ScratchFile scratch(bytes);
    CNorthernBankTransactionFile file(scratch.Path(), std::ios_base::in | std::ios_base::binary);
    Reading reading;
    CTransactionRecord record;
    bool goOn = true;
    while (goOn && reading.reads <= static_cast<int>(lines.size())) {
        goOn = file.ReadStatementRecord(record);
        ++reading.reads;
        if (record.HoldsTransaction()) {
            reading.sortCodes.push_back(record.GetSortCode().Text());
        }
    }
    return reading;
}

std::string TransactionOf(const char* sortCode) {
    TransactionLineFields fields;
    fields.sortCode = sortCode;
    return TransactionLine(fields);
}

} // namespace

TEST_CASE("two volumes are read up to the second trailer label") {
    std::vector<std::string> lines = HeaderLines();
    lines.push_back(TransactionOf("111111"));
    lines.push_back(TrailerLine());
    for (const std::string& label : HeaderLines()) {
        lines.push_back(label);
    }
    lines.push_back(TransactionOf("222222"));
    lines.push_back(TrailerLine());
    lines.push_back(TransactionOf("333333"));
    const Reading reading = ReadAll(lines);
    CHECK(reading.sortCodes == std::vector<std::string>{"111111", "222222"});
    // The second volume's header labels are passed over as lines; the second trailer is read last.
    CHECK(reading.reads == 8);
}

TEST_CASE("an empty line and the end of the file stop the reading") {
    std::vector<std::string> lines = HeaderLines();
    lines.push_back(TransactionOf("111111"));
    CHECK(ReadAll(lines).sortCodes == std::vector<std::string>{"111111"});
    CHECK(ReadAll(lines).reads == 2);
    lines.push_back("");
    lines.push_back(TransactionOf("222222"));
    CHECK(ReadAll(lines).sortCodes == std::vector<std::string>{"111111"});
    CHECK(ReadAll(lines).reads == 2);
}
