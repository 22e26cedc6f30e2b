#pragma once
#include <istream>

#include "platform/Platform.h"

#include "text/CString.h"

// Raised by the record extraction when it reads a volume's user trailer label.
class CEndOfVolume {};

// One transaction of a statement file, decoded from a transaction line of 106 characters:
//   1-6 sort code, 7-14 account number, 15 account type, 16-17 transaction code,
//   18-23 originator's sort code, 24-31 originator's account number, 32-35 unused,
//   36-46 amount in pence, 47-64 reference, 65-82 and 83-100 narrative, 101-106 date.
// Fields are kept exactly as they stand in the line.
class CTransactionRecord {
public:
    // Raised by the extraction (ErrNoRecord: an empty line or nothing left to read) and by the
    // statement file reader (ErrFileNotOpen).
    enum RecordError { ErrNoRecord = 3, ErrFileNotOpen = 4 };

    // Back to the state of a new record: every text empty, amount and date 0.
    void Clear();

    CString GetSortCode() const { return SortCode; }
    CString GetAccountNumber() const { return AccountNumber; }
    CString GetReference() const { return Reference; }
    double GetAmount() const { return Amount; }
    DATE GetDate() const { return Date; }
    // The first narrative part, a blank and the second part, each part only when not empty.
    CString GetNarrative();
    // The same, composed in the record's working text Narrative.
    const CString& ComposeNarrative();
    // The texts that make the narrative one after the other, into parts; returns how many.
    static constexpr int MostNarrativeParts = 3;
    int NarrativeParts(const char* (&parts)[MostNarrativeParts]) const;
    // Credit transaction codes are 90, 93, 95 and 99.
    bool IsCredit() const;
    // True only when the record was decoded from a transaction line: a cleared record, or one
    // left by a passed-over line or a trailer label, holds no transaction whatever its texts.
    bool HoldsTransaction() const { return holdsTransaction_; }

    CString SortCode;
    CString AccountNumber;
    CString AccountType;
    CString TransactionCode;
    CString OriginatorSortCode;
    CString OriginatorAccountNumber;
    double Amount = 0.0;
    CString Reference;
    CString Narrative1;
    CString Narrative2;
    DATE Date = 0.0;
    CString DateText;
    // Working text of ComposeNarrative.
    CString Narrative;

private:
    friend void ExtractRecord(const char* line, int length, CTransactionRecord& record);
    // Fills the record from the fields of a transaction line.
    void Decode(const char* line);

    bool holdsTransaction_ = false;
};

// A line is a transaction line when it holds at least this many characters.
constexpr int TransactionLineLength = 106;

// Reads one line into the record, clearing it first. A transaction line fills the record; any
// other non-empty line leaves it empty, except a user trailer label, which raises CEndOfVolume.
// An empty line, or the end of the data, raises CTransactionRecord::ErrNoRecord.
std::istream& operator>>(std::istream& stream, CTransactionRecord& record);

// The same for a line already read: length characters at line, none of them NUL.
void ExtractRecord(const char* line, int length, CTransactionRecord& record);
