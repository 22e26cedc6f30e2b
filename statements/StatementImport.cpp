#include "statements/StatementImport.h"

#include "bank/ComError.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Variant.h"
#include "statements/AccountDetails.h"
#include "statements/HostText.h"
#include "statements/NorthernBankTransactionFile.h"
#include "statements/StatementFileSelection.h"

namespace {

// Hands the transactions of the account to the statement. The results of the setters are the
// host's concern.
class TransactionHandOver {
public:
    explicit TransactionHandOver(IVelmoraBankStatement* statement) : statement_(statement) {}

    void HandOver(CTransactionRecord& record);

private:
    IVelmoraBankStatement* statement_;
    long sequenceNumber_ = 1;
    HostTextBuffer reference_;
    HostTextBuffer narrative_;
};

void TransactionHandOver::HandOver(CTransactionRecord& record) {
    ComPtr<IVelmoraBankTransaction> transaction;
    statement_->NewTransaction(transaction.Out());
    if (!transaction) {
        // Going on would lose this transaction without the host knowing.
        RaiseMissingHostObject();
    }
    Variant sequence;
    V_VT(sequence.Get()) = VT_I4;
    V_I4(sequence.Get()) = sequenceNumber_;
    transaction->put_SequenceNumber(*sequence.Get());
    transaction->put_Credit(record.IsCredit() ? 1 : 0);
    transaction->put_Amount(record.GetAmount());
    transaction->put_Date(record.GetDate());
    transaction->put_Reference(reference_.Hold(record.Reference));
    transaction->put_Narrative(narrative_.Hold(record.ComposeNarrative()));
    ++sequenceNumber_;
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
