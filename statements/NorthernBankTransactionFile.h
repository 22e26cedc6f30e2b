#pragma once
#include <ios>

#include "statements/StatementFileStream.h"
#include "statements/TransactionRecord.h"
#include "text/CString.h"

// Reads one statement transaction file: four header labels (volume header label, header labels
// 1 and 2, user header label), then transaction lines up to a user trailer label, possibly
// followed by a second volume with labels of its own. Used for one file, on its user's stack.
// No operation lets an exception out: failures become false results and debug trace texts.
class CNorthernBankTransactionFile {
public:
    // Opens the file and reads its header labels. When that fails the object stays usable:
    // reads fail if the file could not be opened, or go on behind the short header label.
    CNorthernBankTransactionFile(const char* path, std::ios_base::openmode mode);
    ~CNorthernBankTransactionFile();
    CNorthernBankTransactionFile(const CNorthernBankTransactionFile&) = delete;
    CNorthernBankTransactionFile& operator=(const CNorthernBankTransactionFile&) = delete;

    // Opens the stream for input and reads the four header labels, stopping at the first that
    // fails. True only when all four were read at their least lengths.
    bool Open(const char* path, std::ios_base::openmode mode);
    bool ReadVolumeHeaderLabel();
    bool ReadHeaderLabel1();
    bool ReadHeaderLabel2();
    bool ReadUserHeaderLabel();

    // A volume header label of at least 80 characters with "992087" at positions 42 to 47.
    bool IsNorthernBankFile() const;

    // Reads the next line into the record (see the record extraction). True while reading
    // should go on: after a transaction, a passed-over line or the first user trailer label.
    // False at the end of the data, an empty line, the second user trailer label or a failure.
    bool ReadStatementRecord(CTransactionRecord& record);

    void Reset();
    void Close();

    const CString& VolumeHeader() const { return VolumeHeaderLabel; }
    const CString& Header1() const { return HeaderLabel1; }
    const CString& Header2() const { return HeaderLabel2; }
    const CString& UserHeader() const { return UserHeaderLabel; }

private:
    bool ReadLabel(const char* name, CString& label, int leastLength);

    CString VolumeHeaderLabel;
    CString HeaderLabel1;
    CString HeaderLabel2;
    CString UserHeaderLabel;
    StatementFileStream Stream;
    int InSecondVolume = 0;
};
