#include "tools/velmora-host/Statement.h"

#include "com/Variant.h"
#include "tools/velmora-host/TextConversion.h"

HRESULT HostTransaction::put_SequenceNumber(VARIANT number) {
    received_->propertiesSet.push_back("SequenceNumber");
    received_->sequenceType = number.vt;
    Variant asInteger;
    if (SUCCEEDED(VariantChangeType(asInteger.Get(), &number, 0, VT_I4))) {
        received_->sequence = asInteger.Get()->lVal;
    }
    return S_OK;
}

HRESULT HostTransaction::put_Credit(long credit) {
    received_->propertiesSet.push_back("Credit");
    received_->credit = credit;
    return S_OK;
}

HRESULT HostTransaction::put_Amount(double amount) {
    received_->propertiesSet.push_back("Amount");
    received_->amount = amount;
    return S_OK;
}

HRESULT HostTransaction::put_Date(DATE date) {
    received_->propertiesSet.push_back("Date");
    received_->date = date;
    return S_OK;
}

HRESULT HostTransaction::put_Reference(BSTR reference) {
    received_->propertiesSet.push_back("Reference");
    received_->reference = WideFromBstr(reference);
    return S_OK;
}

HRESULT HostTransaction::put_Narrative(BSTR narrative) {
    received_->propertiesSet.push_back("Narrative");
    received_->narrative = WideFromBstr(narrative);
    return S_OK;
}

HRESULT HostStatement::Prepare() {
    ++prepareCalls_;
    return S_OK;
}

HRESULT HostStatement::put_Balance(double balance) {
    balancesSet_.push_back(balance);
    return S_OK;
}

HRESULT HostStatement::NewTransaction(IVelmoraBankTransaction** transaction) {
    if (transaction == nullptr) {
        return E_POINTER;
    }
    auto received = std::make_shared<ReceivedTransaction>();
    transactions_.push_back(received);
    *transaction = MakeHostObject<HostTransaction>(received).Detach();
    return S_OK;
}
