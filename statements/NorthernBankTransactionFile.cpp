#include "statements/NorthernBankTransactionFile.h"

#include <cstring>

#include "statements/DebugTrace.h"

namespace {

constexpr int LeastLabelLength = 80;
// Header label 1 is shorter than the other labels.
constexpr int LeastHeaderLabel1Length = 73;

// The bank's mark: positions 42 to 47 of the volume header label.
constexpr int BankMarkOffset = 41;
constexpr int BankMarkLength = 6;
constexpr char BankMark[] = "992087";

const char* PathText(const char* path) {
    return path != nullptr ? path : "";
}

} // namespace

CNorthernBankTransactionFile::CNorthernBankTransactionFile(const char* path,
                                                           std::ios_base::openmode mode) {
    Reset();
    if (!Open(path, mode)) {
        DebugTrace("CNorthernBankTransactionFile() failed to open: ");
        DebugTrace(PathText(path));
    }
}

CNorthernBankTransactionFile::~CNorthernBankTransactionFile() {
    Close();
}

bool CNorthernBankTransactionFile::Open(const char* path, std::ios_base::openmode mode) {
    try {
        if (path != nullptr) {
            Stream.Open(path, mode);
        }
        return ReadVolumeHeaderLabel() && ReadHeaderLabel1() && ReadHeaderLabel2() &&
               ReadUserHeaderLabel();
    } catch (...) {
        DebugTrace("Failed to Open the file: ");
        DebugTrace(PathText(path));
        return false;
    }
}

bool CNorthernBankTransactionFile::ReadLabel(const char* name, CString& label, int leastLength) {
    DebugTrace(name);
    if (!Stream.IsOpen()) {
        return false;
    }
    char line[LineBufferSize];
    const int length = Stream.ReadLine(line);
    label.Assign(line, length);
    return length >= leastLength;
}

bool CNorthernBankTransactionFile::ReadVolumeHeaderLabel() {
    return ReadLabel("ReadVolumeHeaderLabel", VolumeHeaderLabel, LeastLabelLength);
}

bool CNorthernBankTransactionFile::ReadHeaderLabel1() {
    return ReadLabel("ReadHeaderLabel1", HeaderLabel1, LeastHeaderLabel1Length);
}

bool CNorthernBankTransactionFile::ReadHeaderLabel2() {
    return ReadLabel("ReadHeaderLabel2", HeaderLabel2, LeastLabelLength);
}

bool CNorthernBankTransactionFile::ReadUserHeaderLabel() {
    return ReadLabel("ReadUserHeaderLabel", UserHeaderLabel, LeastLabelLength);
}

bool CNorthernBankTransactionFile::IsNorthernBankFile() const {
    if (VolumeHeaderLabel.Length() < LeastLabelLength) {
        return false;
    }
    return std::strncmp(VolumeHeaderLabel.Text() + BankMarkOffset, BankMark, BankMarkLength) == 0;
}

bool CNorthernBankTransactionFile::ReadStatementRecord(CTransactionRecord& record) {
    bool goOn = true;
    try {
        if (!Stream.IsOpen()) {
            DebugTrace("File Stream is NOT open");
            throw CTransactionRecord::ErrFileNotOpen;
        }
        char line[LineBufferSize];
        const int length = Stream.ReadLine(line);
        ExtractRecord(line, length, record);
    } catch (const CEndOfVolume&) {
        DebugTrace("ErrEndOfVolume encountered\n");
        if (InSecondVolume == 0) {
            DebugTrace("Continuing for multi-volume file\n");
            InSecondVolume = 1;
        } else {
            DebugTrace("End of second volume\n");
            goOn = false;
        }
    } catch (...) {
        DebugTrace("Failed to read the Statement record\n");
        goOn = false;
    }
    return goOn;
}

void CNorthernBankTransactionFile::Reset() {
    VolumeHeaderLabel.Assign("");
    HeaderLabel1.Assign("");
    HeaderLabel2.Assign("");
    UserHeaderLabel.Assign("");
    InSecondVolume = 0;
}

void CNorthernBankTransactionFile::Close() {
    Stream.Close();
}
