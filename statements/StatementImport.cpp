#include "statements/StatementImport.h"

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Variant.h"
#include "hostcall/ComError.h"
#include "statements/AccountDetails.h"
#include "statements/HostText.h"
#include "statements/NorthernBankTransactionFile.h"
#include "statements/StatementFileSelection.h"

namespace {

// Hands the transactions of the account to the statement. The results of the setters are the
// host's concern.
class TransactionHandOver {
public:
    explicit TransactionHandOver(IVelmoraBankStatement* statement);

    void HandOver(const CTransactionRecord& record);

private:
    IVelmoraBankStatement* statement_;
    // The sequence number as the host receives it, the same VARIANT for every transaction.
    Variant sequenceNumber_;
    CodePageCharacters characters_;
    HostTextBuffer reference_{characters_};
    HostTextBuffer narrative_{characters_};
};

TransactionHandOver::TransactionHandOver(IVelmoraBankStatement* statement) : statement_(statement) {
    V_VT(sequenceNumber_.Get()) = VT_I4;
    V_I4(sequenceNumber_.Get()) = 1;
}

void TransactionHandOver::HandOver(const CTransactionRecord& record) {
    ComPtr<IVelmoraBankTransaction> transaction;
    statement_->NewTransaction(transaction.Out());
    if (!transaction) {
        // Going on would lose this transaction without the host knowing.
        RaiseMissingHostObject();
    }
    transaction->put_SequenceNumber(*sequenceNumber_.Get());
    transaction->put_Credit(record.IsCredit() ? 1 : 0);
    transaction->put_Amount(record.GetAmount());
    transaction->put_Date(record.GetDate());
    transaction->put_Reference(reference_.Hold(record.Reference));
    // The narrative converted from its parts, as GetNarrative would join them.
    const char* narrativeParts[CTransactionRecord::MostNarrativeParts];
    const int partCount = record.NarrativeParts(narrativeParts);
    transaction->put_Narrative(narrative_.Hold(narrativeParts, partCount));
    ++V_I4(sequenceNumber_.Get());
}

void PrepareStatement(IVelmoraBankStatement* statement) {
    if (statement == nullptr) {
        RaiseMissingHostObject();
    }
    statement->Prepare();
    statement->put_Balance(0.0);
}

} // namespace

HRESULT ImportStatement(IVelmoraBankAccount* account, IVelmoraBankStatement* statement,
                        CString& bankSortCode, CString& bankAccountNumber, long& status) {
    status = Completed;
    char path[StatementPathSize];
    if (!SelectStatementFile(path)) {
        status = NoFileSelected;
        return S_OK;
    }
    // The statement is prepared before the file is opened, even when it then proves unreadable.
    PrepareStatement(statement);
    ReadAccountDetails(account, bankSortCode, bankAccountNumber);

    CNorthernBankTransactionFile file(path, std::ios_base::in | std::ios_base::binary);
    if (!file.IsNorthernBankFile()) {
        return S_OK;
    }
    CTransactionRecord record;
    TransactionHandOver handOver(statement);
    while (file.ReadStatementRecord(record)) {
        if (MatchesAccount(record, bankSortCode, bankAccountNumber)) {
            handOver.HandOver(record);
        }
    }
    return S_OK;
}
