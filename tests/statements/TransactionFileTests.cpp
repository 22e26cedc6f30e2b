#include <doctest/doctest.h>

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "fixtures/StatementFiles.h"
#include "fixtures/TempFolder.h"
#include "statements/DebugTrace.h"
#include "statements/NorthernBankTransactionFile.h"
#include "statements/StatementLine.h"

namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::string>;

const std::ios_base::openmode Binary = std::ios_base::in | std::ios_base::binary;
const std::ios_base::openmode TextMode = std::ios_base::in;

const Texts HeaderTrace = {"ReadVolumeHeaderLabel", "ReadHeaderLabel1", "ReadHeaderLabel2",
                           "ReadUserHeaderLabel"};
const std::string EndOfVolume = "ErrEndOfVolume encountered\n";
const std::string Continuing = "Continuing for multi-volume file\n";
const std::string EndOfSecondVolume = "End of second volume\n";
const std::string ReadFailed = "Failed to read the Statement record\n";
const std::string OpenFailed = "CNorthernBankTransactionFile() failed to open: ";

std::string Transaction(const std::string& reference) {
    TransactionLineFields fields;
    fields.reference = reference;
    return TransactionLine(fields);
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Texts Concat(const Texts& first, const Texts& second) {
    Texts all = first;
    all.insert(all.end(), second.begin(), second.end());
    return all;
}

// What a caller sees reading a file to its end, the way the import reads it.
struct Reading {
    bool recognised = false;
    // References of the transactions, with trailing blanks removed.
    std::vector<std::string> references;
    // Results of ReadStatementRecord that were true.
    int reads = 0;
    bool lastRecordEmpty = false;
    Texts trace;
};

Reading ReadFile(const std::string& path, std::ios_base::openmode mode = Binary) {
    DebugTraceCollector collector;
    Reading reading;
    {
        CNorthernBankTransactionFile file(path.c_str(), mode);
        reading.recognised = file.IsNorthernBankFile();
        if (reading.recognised) {
            CTransactionRecord record;
            while (file.ReadStatementRecord(record)) {
                ++reading.reads;
                if (record.HoldsTransaction()) {
                    std::string reference = record.GetReference().Text();
                    reference.erase(reference.find_last_not_of(' ') + 1);
                    reading.references.push_back(reference);
                }
                REQUIRE(reading.reads < 100000);
            }
            reading.lastRecordEmpty = !record.HoldsTransaction();
        }
    }
    reading.trace = collector.Texts();
    return reading;
}

// Only the texts that follow the header label reads.
Texts RecordTrace(const Reading& reading) {
    Texts after;
    for (const std::string& text : reading.trace) {
        if (text.rfind("Read", 0) != 0) {
            after.push_back(text);
        }
    }
    return after;
}

} // namespace

TEST_CASE("a single-volume file is read to its end, past its trailer label") {
    TempFolder folder;
    const std::string path = folder.WriteLines(
        "single.txt",
        Concat({HeaderLines(), {Transaction("T1"), Transaction("T2")}, {TrailerLine()}}));
    const Reading reading = ReadFile(path);
    CHECK(reading.recognised);
    CHECK(reading.references == std::vector<std::string>{"T1", "T2"});
    CHECK(reading.reads == 3);
    CHECK(reading.lastRecordEmpty);
    CHECK(reading.trace == Concat(HeaderTrace, {EndOfVolume, Continuing, ReadFailed}));
}

TEST_CASE("header labels are accepted from their least lengths on") {
    struct Case {
        int label;
        int length;
        bool accepted;
    };
    const Case cases[] = {{0, 79, false}, {0, 80, true}, {0, 81, true},  {1, 72, false},
                          {1, 73, true},  {1, 74, true}, {2, 79, false}, {2, 80, true},
                          {3, 79, false}, {3, 80, true}, {3, 81, true}};
    const char* identifiers[] = {"VOL", "HDR", "HDR", "UHL"};
    TempFolder folder;
    for (const Case& test : cases) {
        CAPTURE(test.label);
        CAPTURE(test.length);
        Lines lines = HeaderLines();
        lines[static_cast<size_t>(test.label)] =
            test.label == 0 ? VolumeHeaderLine(test.length)
                            : LabelLine(identifiers[test.label], test.length);
        lines.push_back(Transaction("T1"));
        const Reading reading = ReadFile(folder.WriteLines("labels.txt", lines));

        // The reads stop at the first short label and the constructor reports it.
        const size_t labelsRead = test.accepted ? 4 : static_cast<size_t>(test.label) + 1;
        Texts expected(HeaderTrace.begin(), HeaderTrace.begin() + labelsRead);
        if (!test.accepted) {
            expected.push_back(OpenFailed);
            expected.push_back(folder.Path() + "\\labels.txt");
        }
        REQUIRE(reading.trace.size() >= expected.size());
        CHECK(Texts(reading.trace.begin(), reading.trace.begin() + expected.size()) == expected);
        // Only the volume header label decides the recognition.
        CHECK(reading.recognised == (test.accepted || test.label > 0));
        if (reading.recognised) {
            CHECK(reading.references == std::vector<std::string>{"T1"});
        }
    }
}

TEST_CASE("a short header label 1 leaves the later labels to be passed over as lines") {
    TempFolder folder;
    Lines lines = HeaderLines();
    lines[1] = LabelLine("HDR", 72);
    lines.push_back(Transaction("T1"));
    const std::string path = folder.WriteLines("short.txt", lines);
    DebugTraceCollector collector;
    CNorthernBankTransactionFile file(path.c_str(), Binary);
    CHECK(file.IsNorthernBankFile());
    CHECK(file.Header2().Length() == 0);
    CTransactionRecord record;
    CHECK(file.ReadStatementRecord(record)); // header label 2
    CHECK_FALSE(record.HoldsTransaction());
    CHECK(file.ReadStatementRecord(record)); // user header label
    CHECK_FALSE(record.HoldsTransaction());
    CHECK(file.ReadStatementRecord(record));
    CHECK(record.HoldsTransaction());
    CHECK_FALSE(file.ReadStatementRecord(record));
}

TEST_CASE("the bank's mark is recognised only at positions 42 to 47") {
    TempFolder folder;
    struct Case {
        std::string volumeHeader;
        bool recognised;
    };
    std::string changedDigit = VolumeHeaderLine();
    changedDigit[46] = '8';
    const Case cases[] = {{VolumeHeaderLine(80, 42), true},  {VolumeHeaderLine(80, 41), false},
                          {VolumeHeaderLine(80, 43), false}, {VolumeHeaderLine(79, 42), false},
                          {VolumeHeaderLine(200, 42), true}, {changedDigit, false},
                          {LabelLine("VOL", 80), false}};
    for (const Case& test : cases) {
        CAPTURE(test.volumeHeader);
        Lines lines = HeaderLines();
        lines[0] = test.volumeHeader;
        const std::string path = folder.WriteLines("mark.txt", lines);
        CNorthernBankTransactionFile file(path.c_str(), TextMode);
        CHECK(file.IsNorthernBankFile() == test.recognised);
        CHECK(std::string(file.VolumeHeader().Text()) == test.volumeHeader);
    }
}

TEST_CASE("two volumes are read and the second trailer label ends the reading") {
    TempFolder folder;
    const Lines secondVolume = Concat({HeaderLines(), {Transaction("T3")}, {TrailerLine()}});
    const Lines twoVolumes = Concat(
        {HeaderLines(), {Transaction("T1"), Transaction("T2"), TrailerLine()}, secondVolume});

    const Reading two = ReadFile(folder.WriteLines("two.txt", twoVolumes));
    CHECK(two.references == std::vector<std::string>{"T1", "T2", "T3"});
    CHECK(two.lastRecordEmpty);
    CHECK(RecordTrace(two) == Texts{EndOfVolume, Continuing, EndOfVolume, EndOfSecondVolume});

    // Whatever follows the second trailer label, a third volume included, is not read.
    const Lines threeVolumes =
        Concat({twoVolumes, {Transaction("T4")}, HeaderLines(), {Transaction("T5")}});
    const Reading three = ReadFile(folder.WriteLines("three.txt", threeVolumes));
    CHECK(three.references == std::vector<std::string>{"T1", "T2", "T3"});
    CHECK(RecordTrace(three) == RecordTrace(two));
}

TEST_CASE("an empty line stops the reading") {
    TempFolder folder;
    const Lines lines =
        Concat({HeaderLines(), {Transaction("T1"), "", Transaction("T2"), TrailerLine()}});
    for (std::ios_base::openmode mode : {Binary, TextMode}) {
        const Reading reading = ReadFile(folder.WriteLines("empty.txt", lines), mode);
        CHECK(reading.references == std::vector<std::string>{"T1"});
        CHECK(RecordTrace(reading) == Texts{ReadFailed});
    }
}

TEST_CASE("carriage-return line ends stay in the lines read in binary mode") {
    TempFolder folder;
    Lines lines =
        Concat({HeaderLines(), {Transaction("T1"), "", Transaction("T2"), TrailerLine()}});
    const std::string path = folder.WriteLines("crlf.txt", lines, "\r\n");

    const Reading binary = ReadFile(path, Binary);
    CHECK(binary.recognised);
    // The empty line holds its carriage return and is passed over.
    CHECK(binary.references == std::vector<std::string>{"T1", "T2"});
    CHECK(RecordTrace(binary) == Texts{EndOfVolume, Continuing, ReadFailed});
    {
        CNorthernBankTransactionFile file(path.c_str(), Binary);
        CHECK(file.VolumeHeader().Length() == 81);
        CHECK(file.Header1().Length() == 74);
    }

    // Text mode takes the carriage returns away: the empty line ends the reading.
    const Reading text = ReadFile(path, TextMode);
    CHECK(text.references == std::vector<std::string>{"T1"});
    CHECK(RecordTrace(text) == Texts{ReadFailed});
    CNorthernBankTransactionFile file(path.c_str(), TextMode);
    CHECK(file.VolumeHeader().Length() == 80);

    // A header label 1 of 72 characters passes in binary mode only: its carriage return counts.
    lines[1] = LabelLine("HDR", 72);
    const std::string shortLabel = folder.WriteLines("crlf72.txt", lines, "\r\n");
    DebugTraceCollector collector;
    { CNorthernBankTransactionFile binaryFile(shortLabel.c_str(), Binary); }
    CHECK(collector.Texts() == HeaderTrace);
}

TEST_CASE("an over-long line keeps its head and the reading goes on") {
    TempFolder folder;
    Lines lines = HeaderLines();
    lines[0] += std::string(2000, 'v');
    lines.push_back(Transaction("LONG") + std::string(1500, 'z'));
    lines.push_back(std::string(LineBufferSize - 1, 'p'));
    lines.push_back(std::string(LineBufferSize, 'q'));
    lines.push_back(Transaction("T2"));
    lines.push_back(TrailerLine());
    const Reading reading = ReadFile(folder.WriteLines("long.txt", lines));
    CHECK(reading.recognised);
    // Lines of 1023 and 1024 characters are transaction lines too.
    CHECK(reading.references ==
          std::vector<std::string>{"LONG", std::string(18, 'p'), std::string(18, 'q'), "T2"});
    CHECK(RecordTrace(reading) == Texts{EndOfVolume, Continuing, ReadFailed});
}

TEST_CASE("a file that cannot be opened is reported and reads nothing") {
    TempFolder folder;
    const std::string missing = folder.Path() + "\\missing.txt";
    DebugTraceCollector collector;
    CNorthernBankTransactionFile file(missing.c_str(), Binary);
    CHECK(collector.Texts() == Texts{"ReadVolumeHeaderLabel", OpenFailed, missing});
    CHECK_FALSE(file.IsNorthernBankFile());
    CHECK_FALSE(file.ReadHeaderLabel1());
    CHECK(file.VolumeHeader().Length() == 0);

    CTransactionRecord record;
    std::istringstream line(Transaction("KEPT"));
    line >> record;
    CHECK_FALSE(file.ReadStatementRecord(record));
    // The record is left as it was.
    CHECK(record.HoldsTransaction());
    CHECK(Texts(collector.Texts().end() - 3, collector.Texts().end()) ==
          Texts{"ReadHeaderLabel1", "File Stream is NOT open", ReadFailed});
}
