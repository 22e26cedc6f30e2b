#include "hostkit/Statement.h"

#include "com/Variant.h"
#include "hostkit/DecimalText.h"
#include "hostkit/TextConversion.h"

HostTransaction::HostTransaction(std::shared_ptr<ReceivedTransaction> kept,
                                 std::shared_ptr<StatementTotals> totals,
                                 std::shared_ptr<HostControl> control)
    : DispatchObject(std::move(control), "Transaction"), kept_(std::move(kept)),
      received_(kept_ ? *kept_ : own_), totals_(std::move(totals)) {}

HostTransaction::~HostTransaction() {
    if (kept_) {
        kept_->released = true;
        Done();
    }
}

ULONG HostTransaction::Release() {
    const ULONG left = DispatchObject::Release();
    // Back with the statement, which keeps the one reference left.
    if (left == 1 && !kept_) {
        Done();
    }
    return left;
}

void HostTransaction::Done() {
    totals_->lastSequenceNumber = received_.sequence;
    totals_->credits += received_.credit;
    totals_->amount += received_.amount;
    totals_->dates += received_.date;
    totals_->textLength += textLength_;
    // A reused transaction keeps no texts or property names: only its numbers start again, so
    // that a setting the component leaves out shows in the totals.
    own_.sequenceType = VT_EMPTY;
    own_.sequence = 0;
    own_.credit = 0;
    own_.amount = 0.0;
    own_.date = 0.0;
    textLength_ = 0;
}

template <typename Store> HRESULT HostTransaction::Set(const char* property, Store store) {
    if (const auto failure = Enter(property)) {
        return *failure;
    }
    if (kept_) {
        received_.propertiesSet.push_back(property);
    }
    store(received_);
    return S_OK;
}

HRESULT HostTransaction::put_SequenceNumber(VARIANT number) {
    return Set("SequenceNumber", [&number](ReceivedTransaction& received) {
        received.sequenceType = number.vt;
        // The component hands a VT_I4; the conversion is for whatever else a caller may hand.
        if (number.vt == VT_I4) {
            received.sequence = number.lVal;
            return;
        }
        Variant asInteger;
        if (SUCCEEDED(VariantChangeType(asInteger.Get(), &number, 0, VT_I4))) {
            received.sequence = asInteger.Get()->lVal;
        }
    });
}

HRESULT HostTransaction::put_Credit(long credit) {
    return Set("Credit", [credit](ReceivedTransaction& received) { received.credit = credit; });
}

HRESULT HostTransaction::put_Amount(double amount) {
    return Set("Amount", [amount](ReceivedTransaction& received) { received.amount = amount; });
}

HRESULT HostTransaction::put_Date(DATE date) {
    return Set("Date", [date](ReceivedTransaction& received) { received.date = date; });
}

HRESULT HostTransaction::put_Reference(BSTR reference) {
    return SetText("Reference", reference, &ReceivedTransaction::reference);
}

HRESULT HostTransaction::put_Narrative(BSTR narrative) {
    return SetText("Narrative", narrative, &ReceivedTransaction::narrative);
}

// Only a kept transaction keeps its texts; the totals need their lengths only.
HRESULT HostTransaction::SetText(const char* property, BSTR text,
                                 std::wstring ReceivedTransaction::*field) {
    return Set(property, [this, text, field](ReceivedTransaction& received) {
        textLength_ += SysStringLen(text);
        if (kept_) {
            received.*field = WideFromBstr(text);
        }
    });
}

HRESULT HostStatement::Prepare() {
    if (const auto failure = Enter("Prepare")) {
        return *failure;
    }
    ++prepareCalls_;
    return S_OK;
}

HRESULT HostStatement::put_Balance(double balance) {
    if (const auto failure = Enter("Balance", [balance] { return DecimalText(balance, 6); })) {
        return *failure;
    }
    balancesSet_.push_back(balance);
    return S_OK;
}

HRESULT HostStatement::NewTransaction(IVelmoraBankTransaction** transaction) {
    if (const auto failure = Enter("NewTransaction")) {
        return AnswerFailure(*failure, transaction);
    }
    if (transaction == nullptr) {
        return E_POINTER;
    }
    ++totals_->transactions;
    if (!keepTransactions_) {
        if (!reused_) {
            reused_ = MakeHostObject<HostTransaction>(nullptr, totals_, Control());
        }
        *transaction = ComPtr<HostTransaction>(reused_).Detach();
        return S_OK;
    }
    auto received = std::make_shared<ReceivedTransaction>();
    transactions_.push_back(received);
    *transaction = MakeHostObject<HostTransaction>(received, totals_, Control()).Detach();
    return S_OK;
}
