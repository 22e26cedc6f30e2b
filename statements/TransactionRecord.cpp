#include "statements/TransactionRecord.h"

#include "statements/StatementDate.h"
#include "statements/StatementLine.h"
#include "statements/TransactionFields.h"

void CTransactionRecord::Clear() {
    // Assigning the empty text keeps each field's buffer for the next line.
    for (CString* text :
         {&SortCode, &AccountNumber, &AccountType, &TransactionCode, &OriginatorSortCode,
          &OriginatorAccountNumber, &Reference, &Narrative1, &Narrative2, &DateText, &Narrative}) {
        text->Assign("", 0);
    }
    Amount = 0.0;
    Date = 0.0;
    holdsTransaction_ = false;
}

CString CTransactionRecord::GetNarrative() {
    return ComposeNarrative();
}

const CString& CTransactionRecord::ComposeNarrative() {
    const char* parts[MostNarrativeParts];
    const int count = NarrativeParts(parts);
    Narrative.Assign("", 0);
    for (int part = 0; part < count; ++part) {
        Narrative.Append(parts[part]);
    }
    return Narrative;
}

int CTransactionRecord::NarrativeParts(const char* (&parts)[MostNarrativeParts]) const {
    // Each part only when it is not empty; a blank goes before the second.
    int count = 0;
    if (Narrative1.Text()[0] != '\0') {
        parts[count++] = Narrative1.Text();
    }
    if (Narrative2.Text()[0] != '\0') {
        parts[count++] = " ";
        parts[count++] = Narrative2.Text();
    }
    return count;
}

bool CTransactionRecord::IsCredit() const {
    // Exactly two characters: 9, then 0, 3, 5 or 9.
    // Each character is looked at only when the one before it was there: an empty code ends
    // at its first.
    const char* code = TransactionCode.Text();
    if (code[0] != '9') {
        return false;
    }
    const char second = code[1];
    return (second == '0' || second == '3' || second == '5' || second == '9') && code[2] == '\0';
}

void CTransactionRecord::Decode(const char* line) {
    // Not a transaction until every field is in place.
    holdsTransaction_ = false;
    // Only the fields are cut: their widths, all known here, make each copy a few moves.
    FieldCutter fields(line, TransactionLineLength);
    fields.TakeField(6, SortCode);
    fields.TakeField(8, AccountNumber);
    fields.TakeField(1, AccountType);
    fields.TakeField(2, TransactionCode);
    fields.TakeField(6, OriginatorSortCode);
    fields.TakeField(8, OriginatorAccountNumber);
    fields.Skip(4);
    Amount = static_cast<double>(fields.TakeInteger(11)) / 100.0;
    fields.TakeField(18, Reference);
    fields.TakeField(18, Narrative1);
    fields.TakeField(18, Narrative2);
    constexpr int DateWidth = 6;
    fields.TakeField(DateWidth, DateText);
    // A transaction line holds the whole field.
    Date = ConvertStatementDate(DateText.Text(), DateWidth);
    Narrative.Assign("", 0);
    holdsTransaction_ = true;
}

std::istream& operator>>(std::istream& stream, CTransactionRecord& record) {
    char line[LineBufferSize];
    const int length = ReadStatementLine(stream, line);
    ExtractRecord(line, length, record);
    return stream;
}

void ExtractRecord(const char* line, int length, CTransactionRecord& record) {
    if (length >= TransactionLineLength) {
        // Decoding sets every member, as clearing first would.
        record.Decode(line);
        return;
    }
    record.Clear();
    if (length == 0) {
        throw CTransactionRecord::ErrNoRecord;
    }
    if (IsUserTrailerLabel(line)) {
        throw CEndOfVolume();
    }
}
