#include "CountingStatement.h"

#include <oleauto.h>

#include "statements/HostObject.h"

namespace {

class CountingTransaction : public DualHostObject<IVelmoraBankTransaction> {
public:
    explicit CountingTransaction(StatementTotals& totals) : totals_(totals) {}

    void Begin() { ++totals_.transactions; }

    HRESULT STDMETHODCALLTYPE put_SequenceNumber(VARIANT number) override {
        totals_.lastSequenceNumber = V_I4(&number);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Credit(LONG credit) override {
        totals_.credits += credit;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Amount(double amount) override {
        totals_.amount += amount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Date(DATE date) override {
        totals_.dates += date;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Reference(BSTR reference) override {
        totals_.textLength += SysStringLen(reference);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Narrative(BSTR narrative) override {
        totals_.textLength += SysStringLen(narrative);
        return S_OK;
    }

private:
    StatementTotals& totals_;
};

// Hands out one transaction object again and again, so that the figures are the component's.
class CountingStatement : public DualHostObject<IVelmoraBankStatement> {
public:
    explicit CountingStatement(StatementTotals& totals)
        : transaction_(new CountingTransaction(totals)) {}
    ~CountingStatement() override { transaction_->Release(); }

    HRESULT STDMETHODCALLTYPE Prepare() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE put_Balance(double) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE NewTransaction(IVelmoraBankTransaction** transaction) override {
        transaction_->Begin();
        transaction_->AddRef();
        *transaction = transaction_;
        return S_OK;
    }

private:
    CountingTransaction* transaction_;
};

} // namespace

ComPtr<IVelmoraBankStatement> MakeCountingStatement(StatementTotals& totals) {
    return ComPtr<IVelmoraBankStatement>::Adopt(new CountingStatement(totals));
}
