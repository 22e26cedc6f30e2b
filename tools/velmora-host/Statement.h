#pragma once
#include "tools/velmora-host/HostObject.h"

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

// A transaction the statement handed out (IVelmoraBankTransaction); records what it is given.
class HostTransaction : public DispatchObject<IVelmoraBankTransaction> {
public:
    explicit HostTransaction(std::shared_ptr<ReceivedTransaction> received)
        : received_(std::move(received)) {}
    ~HostTransaction() override { received_->released = true; }

    HRESULT STDMETHODCALLTYPE put_SequenceNumber(VARIANT number) override;
    HRESULT STDMETHODCALLTYPE put_Credit(long credit) override;
    HRESULT STDMETHODCALLTYPE put_Amount(double amount) override;
    HRESULT STDMETHODCALLTYPE put_Date(DATE date) override;
    HRESULT STDMETHODCALLTYPE put_Reference(BSTR reference) override;
    HRESULT STDMETHODCALLTYPE put_Narrative(BSTR narrative) override;

private:
    std::shared_ptr<ReceivedTransaction> received_;
};

// The bank statement the host reconciles (IVelmoraBankStatement). It records the preparation
// calls, every balance set and every transaction it handed out.
class HostStatement : public DispatchObject<IVelmoraBankStatement> {
public:
    HostStatement() = default;

    int PrepareCalls() const { return prepareCalls_; }
    const std::vector<double>& BalancesSet() const { return balancesSet_; }
    const std::vector<std::shared_ptr<ReceivedTransaction>>& Transactions() const {
        return transactions_;
    }

    HRESULT STDMETHODCALLTYPE Prepare() override;
    HRESULT STDMETHODCALLTYPE put_Balance(double balance) override;
    HRESULT STDMETHODCALLTYPE NewTransaction(IVelmoraBankTransaction** transaction) override;

private:
    int prepareCalls_ = 0;
    std::vector<double> balancesSet_;
    std::vector<std::shared_ptr<ReceivedTransaction>> transactions_;
};
