#pragma once
#include "hostkit/HostObject.h"

#include <VelmoraBankReconciliation.h>

#include <memory>
#include <string>
#include <vector>

// What the component set on one transaction object, in the order it set it.
struct ReceivedTransaction {
    VARTYPE sequenceType = VT_EMPTY; // the type of the sequence number's VARIANT
    long sequence = 0;               // the sequence number as a 32-bit integer
    long credit = 0;
    double amount = 0.0;
    DATE date = 0.0;
    std::wstring reference;
    std::wstring narrative;
    std::vector<std::string> propertiesSet; // property names, one per setting, in order
    bool released = false;                  // the component released the object
};

// Counts and sums of everything a statement's transactions were given.
struct StatementTotals {
    long transactions = 0;
    long lastSequenceNumber = 0;
    long credits = 0;
    double amount = 0.0;
    double dates = 0.0;
    unsigned long textLength = 0;
};

// A transaction the statement handed out (IVelmoraBankTransaction); records what it is given,
// and adds it to the statement's totals when it is done: when it goes, or, when the statement
// keeps only the totals and hands the same transaction out again and again, each time it is
// given back to the statement.
class HostTransaction : public DispatchObject<IVelmoraBankTransaction> {
public:
    // kept: where the statement keeps what the transaction is given; none when it keeps only
    // the totals.
    HostTransaction(std::shared_ptr<ReceivedTransaction> kept,
                    std::shared_ptr<StatementTotals> totals, std::shared_ptr<HostControl> control);
    ~HostTransaction() override;

    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE put_SequenceNumber(VARIANT number) override;
    HRESULT STDMETHODCALLTYPE put_Credit(long credit) override;
    HRESULT STDMETHODCALLTYPE put_Amount(double amount) override;
    HRESULT STDMETHODCALLTYPE put_Date(DATE date) override;
    HRESULT STDMETHODCALLTYPE put_Reference(BSTR reference) override;
    HRESULT STDMETHODCALLTYPE put_Narrative(BSTR narrative) override;

private:
    // Records the setting of a property and stores what it was given, unless a failure was
    // chosen for it.
    template <typename Store> HRESULT Set(const char* property, Store store);
    HRESULT SetText(const char* property, BSTR text, std::wstring ReceivedTransaction::*field);
    // Adds what the transaction was given to the totals, and starts again.
    void Done();

    std::shared_ptr<ReceivedTransaction> kept_;
    ReceivedTransaction own_;
    ReceivedTransaction& received_; // the kept one, else its own
    unsigned long textLength_ = 0;
    std::shared_ptr<StatementTotals> totals_;
};

// The bank statement the host reconciles (IVelmoraBankStatement). It records the preparation
// calls, every balance set and every transaction it handed out, or only their totals.
class HostStatement : public DispatchObject<IVelmoraBankStatement> {
public:
    explicit HostStatement(std::shared_ptr<HostControl> control = {}, bool keepTransactions = true)
        : DispatchObject(std::move(control), "Statement"), keepTransactions_(keepTransactions) {}

    int PrepareCalls() const { return prepareCalls_; }
    const std::vector<double>& BalancesSet() const { return balancesSet_; }
    const std::vector<std::shared_ptr<ReceivedTransaction>>& Transactions() const {
        return transactions_;
    }
    const StatementTotals& Totals() const { return *totals_; }

    HRESULT STDMETHODCALLTYPE Prepare() override;
    HRESULT STDMETHODCALLTYPE put_Balance(double balance) override;
    HRESULT STDMETHODCALLTYPE NewTransaction(IVelmoraBankTransaction** transaction) override;

private:
    const bool keepTransactions_;
    int prepareCalls_ = 0;
    std::vector<double> balancesSet_;
    std::vector<std::shared_ptr<ReceivedTransaction>> transactions_;
    std::shared_ptr<StatementTotals> totals_ = std::make_shared<StatementTotals>();
    // The one transaction handed out when only the totals are kept.
    ComPtr<HostTransaction> reused_;
};
