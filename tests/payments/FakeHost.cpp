#include "payments/FakeHost.h"

#include <cstring>

#include "com/SingleInterfaceObject.h"

namespace {

// Copies a setting into a host buffer of the given size, cut to fit.
void FillBuffer(char* buffer, size_t size, const std::string& value) {
    const size_t length = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

} // namespace

ULONG TestReferences::Release() {
    if (--count_ == 1) {
        Record([] { return std::string("released"); });
    }
    return count_;
}

PaymentFields ExamplePayment() {
    PaymentFields values;
    values.amount = 150.5;
    values.payerSortCode = L"12-34-56";
    values.payerAccountNumber = L"12345678";
    values.payerAccountName = L"ACME Supplies Ltd";
    values.payeeBacsReference = L"INV 1042/A";
    values.payeeSortCode = L"65-43-21";
    values.payeeAccountNumber = L"87654321";
    values.payeeAccountName = L"J. Smith & Co.";
    return values;
}

// Payment

FakePayment::FakePayment(std::string name, PaymentFields paymentValues, CallLog* log)
    : values(std::move(paymentValues)), references_(std::move(name), log) {}

HRESULT FakePayment::QueryInterface(REFIID iid, void** object) {
    return QuerySingleInterface<IVelmoraPayment>(this, iid, object);
}

HRESULT FakePayment::ReadText(const char* property, const std::wstring& text, BSTR* value) {
    references_.Record([property] { return std::string(property); });
    if (failReads) {
        *value = nullptr;
        return E_FAIL;
    }
    *value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT FakePayment::get_Amount(double* amount) {
    references_.Record([] { return std::string("Amount"); });
    *amount = failReads ? 0.0 : values.amount;
    return failReads ? E_FAIL : S_OK;
}
HRESULT FakePayment::get_PayerSortCode(BSTR* value) {
    return ReadText("PayerSortCode", values.payerSortCode, value);
}
HRESULT FakePayment::get_PayerAccountNumber(BSTR* value) {
    return ReadText("PayerAccountNumber", values.payerAccountNumber, value);
}
HRESULT FakePayment::get_PayerAccountName(BSTR* value) {
    return ReadText("PayerAccountName", values.payerAccountName, value);
}
HRESULT FakePayment::get_PayeeBacsReference(BSTR* value) {
    return ReadText("PayeeBacsReference", values.payeeBacsReference, value);
}
HRESULT FakePayment::get_PayeeSortCode(BSTR* value) {
    return ReadText("PayeeSortCode", values.payeeSortCode, value);
}
HRESULT FakePayment::get_PayeeAccountNumber(BSTR* value) {
    return ReadText("PayeeAccountNumber", values.payeeAccountNumber, value);
}
HRESULT FakePayment::get_PayeeAccountName(BSTR* value) {
    return ReadText("PayeeAccountName", values.payeeAccountName, value);
}
HRESULT FakePayment::get_PayeeRollNumber(BSTR* value) {
    return ReadText("PayeeRollNumber", values.payeeRollNumber, value);
}
HRESULT FakePayment::get_Details(BSTR* value) {
    return ReadText("Details", values.details, value);
}

HRESULT FakePayment::get_StatusCode(long* code) {
    references_.Record([] { return std::string("get StatusCode"); });
    *code = statusCodes.empty() ? 0 : statusCodes.back();
    return S_OK;
}

HRESULT FakePayment::put_StatusCode(long code) {
    references_.Record([code] { return "StatusCode=" + std::to_string(code); });
    statusCodes.push_back(code);
    return S_OK;
}

// Batch

FakeBatch::FakeBatch(std::vector<FakePayment*> payments, CallLog* log)
    : payments_(std::move(payments)), references_("batch", log) {}

HRESULT FakeBatch::QueryInterface(REFIID iid, void** object) {
    return QuerySingleInterface<IVelmoraPaymentBatch>(this, iid, object);
}

HRESULT FakeBatch::get_Item(long index, IVelmoraPayment** payment) {
    references_.Record([index] { return "Item(" + std::to_string(index) + ")"; });
    *payment = nullptr;
    if (index == nullItemAt) {
        return S_OK;
    }
    if (index == failItemAt || index < 0 || static_cast<size_t>(index) >= payments_.size()) {
        return E_INVALIDARG;
    }
    *payment = payments_[static_cast<size_t>(index)];
    (*payment)->AddRef();
    return S_OK;
}

HRESULT FakeBatch::get_Count(long* count) {
    references_.Record([] { return std::string("Count"); });
    if (failCount) {
        return E_FAIL;
    }
    *count = static_cast<long>(payments_.size());
    return S_OK;
}

// Configuration

FakeConfiguration::FakeConfiguration(CallLog* log) : references_("configuration", log) {}

HRESULT FakeConfiguration::QueryInterface(REFIID iid, void** object) {
    return QuerySingleInterface<IVelmoraBankConfiguration>(this, iid, object);
}

HRESULT FakeConfiguration::ConfigureBank(char*, long) {
    references_.Record([] { return std::string("ConfigureBank"); });
    return E_NOTIMPL;
}

HRESULT FakeConfiguration::GetStatementSettings(char*, char*) {
    references_.Record([] { return std::string("GetStatementSettings"); });
    return E_NOTIMPL;
}

HRESULT FakeConfiguration::GetPaymentSettings(char* bankName, char* fileName, char* extensionOut,
                                              char* directory) {
    references_.Record([bankName] { return "GetPaymentSettings(" + std::string(bankName) + ")"; });
    receivedBankName.assign(bankName, 100);
    if (FAILED(paymentSettingsResult)) {
        return paymentSettingsResult;
    }
    FillBuffer(fileName, 1024, defaultFileName);
    FillBuffer(extensionOut, 4, extension);
    FillBuffer(directory, 1024, defaultDirectory);
    return S_OK;
}

// Registration

HRESULT RegisteredConfiguration::Factory::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = this;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RegisteredConfiguration::Factory::CreateInstance(IUnknown* outer, REFIID iid,
                                                         void** object) {
    if (outer != nullptr) {
        *object = nullptr;
        return CLASS_E_NOAGGREGATION;
    }
    return configuration_.QueryInterface(iid, object);
}

RegisteredConfiguration::RegisteredConfiguration(FakeConfiguration& configuration)
    : factory_(configuration) {
    CoRegisterClassObject(CLSID_VelmoraBankConfiguration, &factory_, CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &cookie_);
}

RegisteredConfiguration::~RegisteredConfiguration() {
    CoRevokeClassObject(cookie_);
}
