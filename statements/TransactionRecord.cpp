#include "statements/TransactionRecord.h"

#include <cstring>

#include "statements/StatementDate.h"
#include "statements/StatementLine.h"
#include "statements/TransactionFields.h"

void CTransactionRecord::Clear() {
    // Assigning the empty text keeps each field's buffer for the next line.
    for (CString* text :
         {&SortCode, &AccountNumber, &AccountType, &TransactionCode, &OriginatorSortCode,
          &OriginatorAccountNumber, &Reference, &Narrative1, &Narrative2, &DateText, &Narrative}) {
        text->Assign("");
    }
    Amount = 0.0;
    Date = 0.0;
    holdsTransaction_ = false;
}

CString CTransactionRecord::GetNarrative() {
    return ComposeNarrative();
}

const CString& CTransactionRecord::ComposeNarrative() {
    Narrative.Assign("");
    if (Narrative1.Length() > 0) {
        Narrative.Assign(Narrative1);
    }
    if (Narrative2.Length() > 0) {
        Narrative.Append(" ");
        Narrative.Append(Narrative2);
    }
    return Narrative;
}

bool CTransactionRecord::IsCredit() const {
    // Exactly two characters: 9, then 0, 3, 5 or 9.
    const char* code = TransactionCode.Text();
    return code[0] == '9' && code[1] != '\0' && std::strchr("0359", code[1]) != nullptr &&
           code[2] == '\0';
}

void CTransactionRecord::Decode(char* line, int length) {
    // Not a transaction until every field is in place.
    holdsTransaction_ = false;
    FieldCutter fields(line, length);
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
    fields.TakeField(6, DateText);
    Date = ConvertStatementDate(DateText);
    Narrative.Assign("");
    holdsTransaction_ = true;
}

std::istream& operator>>(std::istream& stream, CTransactionRecord& record) {
    char line[LineBufferSize];
    const int length = ReadStatementLine(stream, line);
    if (length >= TransactionLineLength) {
        // Decoding sets every member, as clearing first would.
        record.Decode(line, length);
        return stream;
    }
    record.Clear();
    if (length == 0) {
        throw CTransactionRecord::ErrNoRecord;
    }
    if (IsUserTrailerLabel(line)) {
        throw CEndOfVolume();
    }
    return stream;
}
