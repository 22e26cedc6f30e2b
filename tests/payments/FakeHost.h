#pragma once
// Host objects for payment runs, written for the tests: a payment, a payment batch and the
// configuration object (registered so that the run's CoCreateInstance finds it). Each records
// the calls it receives, in order, in a shared CallLog when given one. The test owns every
// object and holds one reference; a "released" entry is recorded when the last reference the
// component took is given back.
#include <windows.h>
#include <VelmoraBankPayments.h>

#include "com/TypeInfoDispatch.h"
#include "tools/velmora-host/PaymentFields.h"

#include <string>
#include <utility>
#include <vector>

using CallLog = std::vector<std::string>;

// Keeps COM initialised (single-threaded apartment) for its lifetime.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The reference count of an object the test owns: starts at the test's own reference.
class TestReferences {
public:
    TestReferences(std::string name, CallLog* log) : name_(std::move(name)), log_(log) {}
    ULONG AddRef() { return ++count_; }
    ULONG Release();
    ULONG Count() const { return count_; }
    // Records "<name>: <call>" when there is a log; the call text is built only then.
    template <typename Call> void Record(Call describeCall) const {
        if (log_ != nullptr) {
            log_->push_back(name_ + ": " + describeCall());
        }
    }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    CallLog* log_;
    ULONG count_ = 1;
};

// 150.50 from 12-34-56 12345678 ACME Supplies Ltd to 65-43-21 87654321 J. Smith & Co., BACS
// reference INV 1042/A: valid in both formats.
PaymentFields ExamplePayment();

// The component calls the host's dual interfaces early-bound only: no type information for the
// fakes.
class FakePayment final : public TypeInfoDispatch<IVelmoraPayment> {
public:
    FakePayment(std::string name, PaymentFields values, CallLog* log = nullptr);

    PaymentFields values;
    // Every property read fails (and delivers nothing) when set.
    bool failReads = false;
    // The StatusCode settings received, in order.
    std::vector<long> statusCodes;
    ULONG References() const { return references_.Count(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE get_Amount(double* amount) override;
    HRESULT STDMETHODCALLTYPE get_PayerSortCode(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayerAccountNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayerAccountName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeBacsReference(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeSortCode(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeAccountNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeAccountName(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_PayeeRollNumber(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Details(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_StatusCode(long* code) override;
    HRESULT STDMETHODCALLTYPE put_StatusCode(long code) override;

private:
    HRESULT ReadText(const char* property, const std::wstring& text, BSTR* value);

    TestReferences references_;
};

class FakeBatch final : public TypeInfoDispatch<IVelmoraPaymentBatch> {
public:
    explicit FakeBatch(std::vector<FakePayment*> payments, CallLog* log = nullptr);

    // Item fails at this index (none when negative).
    long failItemAt = -1;
    // Item answers S_OK without a payment at this index (none when negative).
    long nullItemAt = -1;
    // Count fails when set.
    bool failCount = false;
    ULONG References() const { return references_.Count(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE get_Item(long index, IVelmoraPayment** payment) override;
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override;

private:
    std::vector<FakePayment*> payments_;
    TestReferences references_;
};

class FakeConfiguration final : public IVelmoraBankConfiguration {
public:
    explicit FakeConfiguration(CallLog* log = nullptr);

    std::string defaultFileName = "payments.csv";
    std::string extension = "csv";
    std::string defaultDirectory = "C:\\";
    HRESULT paymentSettingsResult = S_OK;
    // The whole bank name buffer the component handed over (100 bytes).
    std::string receivedBankName;
    ULONG References() const { return references_.Count(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return references_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return references_.Release(); }
    HRESULT STDMETHODCALLTYPE ConfigureBank(char* bankName, long mode) override;
    HRESULT STDMETHODCALLTYPE GetStatementSettings(char* bankName, char* settings) override;
    HRESULT STDMETHODCALLTYPE GetPaymentSettings(char* bankName, char* fileName, char* extension,
                                                 char* directory) override;

private:
    TestReferences references_;
};

// Registers the configuration object's class for its lifetime, so that creating
// CLSID_VelmoraBankConfiguration yields the given object.
class RegisteredConfiguration {
public:
    explicit RegisteredConfiguration(FakeConfiguration& configuration);
    ~RegisteredConfiguration();
    RegisteredConfiguration(const RegisteredConfiguration&) = delete;
    RegisteredConfiguration& operator=(const RegisteredConfiguration&) = delete;

private:
    class Factory final : public IClassFactory {
    public:
        explicit Factory(FakeConfiguration& configuration) : configuration_(configuration) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                                 void** object) override;
        HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    private:
        FakeConfiguration& configuration_;
    };

    Factory factory_;
    DWORD cookie_ = 0;
};
