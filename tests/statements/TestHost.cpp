#include "statements/TestHost.h"

#include <oleauto.h>

#include <algorithm>
#include <stdexcept>

#include "statements/HostObject.h"

int& LiveHostObjects() {
    static int live = 0;
    return live;
}

namespace {

TestHost* currentHost = nullptr;

void Record(const std::string& call) {
    TestHost::Current().calls.push_back(call);
}

std::wstring TextOf(BSTR text) {
    return text == nullptr ? std::wstring() : std::wstring(text);
}

class TestDetails : public DualHostObject<IVelmoraBankDetails> {
public:
    explicit TestDetails(const AccountSetup& setup) : setup_(setup) {}
    ~TestDetails() override { Record("Details.Destroyed"); }

    HRESULT STDMETHODCALLTYPE get_AccountNumber(BSTR* number) override {
        Record("Details.AccountNumber");
        return Give(setup_.accountNumber, number);
    }
    HRESULT STDMETHODCALLTYPE get_SortCode(BSTR* sortCode) override {
        Record("Details.SortCode");
        return Give(setup_.sortCode, sortCode);
    }

private:
    static HRESULT Give(const std::optional<std::wstring>& text, BSTR* out) {
        *out = text ? SysAllocStringLen(text->data(), static_cast<UINT>(text->size())) : nullptr;
        return text ? S_OK : S_FALSE;
    }
    const AccountSetup setup_;
};

class TestAccount : public DualHostObject<IVelmoraBankAccount> {
public:
    explicit TestAccount(const AccountSetup& setup) : setup_(setup) {}

    HRESULT STDMETHODCALLTYPE get_Details(IVelmoraBankDetails** details) override {
        Record("Account.Details");
        if (!setup_.givesDetails) {
            *details = nullptr;
            return E_FAIL;
        }
        *details = new TestDetails(setup_);
        return S_OK;
    }

private:
    const AccountSetup setup_;
};

class TestTransaction : public DualHostObject<IVelmoraBankTransaction> {
public:
    explicit TestTransaction(ReceivedTransaction& received) : received_(received) {}
    ~TestTransaction() override { Record("Transaction.Destroyed"); }

    HRESULT STDMETHODCALLTYPE put_SequenceNumber(VARIANT number) override {
        Record("Transaction.SequenceNumber");
        received_.sequenceType = V_VT(&number);
        received_.sequenceNumber = V_VT(&number) == VT_I4 ? V_I4(&number) : -1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Credit(LONG credit) override {
        Record("Transaction.Credit");
        received_.credit = credit;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Amount(double amount) override {
        Record("Transaction.Amount");
        received_.amount = amount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Date(DATE date) override {
        Record("Transaction.Date");
        received_.date = date;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Reference(BSTR reference) override {
        Record("Transaction.Reference");
        received_.reference = TextOf(reference);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Narrative(BSTR narrative) override {
        Record("Transaction.Narrative");
        received_.narrative = TextOf(narrative);
        return S_OK;
    }

private:
    ReceivedTransaction& received_;
};

class TestStatementObject : public DualHostObject<IVelmoraBankStatement> {
public:
    TestStatementObject(std::vector<ReceivedTransaction>& received, bool givesTransactions)
        : received_(received), givesTransactions_(givesTransactions) {
        // Transactions refer to their entries while they live.
        received_.reserve(1000);
    }

    HRESULT STDMETHODCALLTYPE Prepare() override {
        Record("Statement.Prepare");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Balance(double balance) override {
        Record("Statement.Balance " + std::to_string(balance));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NewTransaction(IVelmoraBankTransaction** transaction) override {
        Record("Statement.NewTransaction");
        if (!givesTransactions_) {
            *transaction = nullptr;
            return E_OUTOFMEMORY;
        }
        if (received_.size() == received_.capacity()) {
            throw std::logic_error("the test statement holds at most 1000 transactions");
        }
        received_.emplace_back();
        *transaction = new TestTransaction(received_.back());
        return S_OK;
    }

private:
    std::vector<ReceivedTransaction>& received_;
    const bool givesTransactions_;
};

class TestSelector : public HostObject<IVelmoraStatementFileSelector> {
public:
    ~TestSelector() override { Record("Selector.Destroyed"); }

    HRESULT STDMETHODCALLTYPE SetRecognizer(void* recognizer) override {
        Record("Selector.SetRecognizer");
        recognizer_ = *static_cast<VelmoraStatementRecognizer*>(recognizer);
        return TestHost::Current().selector.setRecognizerResult;
    }
    // The user chooses while the selector shows the files it recognises.
    HRESULT STDMETHODCALLTYPE GetOutcome(LONG* outcome) override {
        Record("Selector.GetOutcome");
        TestHost& host = TestHost::Current();
        for (const std::string& path : host.selector.candidates) {
            char description[64];
            std::fill(std::begin(description), std::end(description), '#');
            description[sizeof description - 1] = '\0';
            const int result = recognizer_(description, path.c_str());
            host.recognitions.push_back({path, result, description});
        }
        *outcome = host.selector.outcome;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetChosenPath(BSTR* path) override {
        Record("Selector.GetChosenPath");
        const std::optional<std::wstring>& chosen = TestHost::Current().selector.chosenPath;
        *path = chosen ? SysAllocString(chosen->c_str()) : nullptr;
        return S_OK;
    }

private:
    VelmoraStatementRecognizer recognizer_ = nullptr;
};

class TestConfiguration : public HostObject<IVelmoraBankConfiguration>, public ISupportErrorInfo {
public:
    ~TestConfiguration() override { Record("Configuration.Destroyed"); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object != nullptr && IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *object = static_cast<ISupportErrorInfo*>(this);
            AddRef();
            return S_OK;
        }
        return HostObject::QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return HostObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return HostObject::Release(); }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, IID_IVelmoraBankConfiguration) ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE ConfigureBank(char*, LONG) override {
        Record("Configuration.ConfigureBank");
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetStatementSettings(char* bankName, char* settings) override {
        Record("Configuration.GetStatementSettings");
        TestHost& host = TestHost::Current();
        host.bankName.assign(bankName, 100);
        // The host may fill all 400 bytes.
        std::fill(settings, settings + 400, 'S');
        if (FAILED(host.configuration.settingsResult)) {
            SetError(host.configuration.errorDescription);
        }
        return host.configuration.settingsResult;
    }
    HRESULT STDMETHODCALLTYPE GetPaymentSettings(char*, char*, char*, char*) override {
        Record("Configuration.GetPaymentSettings");
        return E_NOTIMPL;
    }

private:
    static void SetError(const std::wstring& description) {
        ICreateErrorInfo* creator = nullptr;
        if (FAILED(CreateErrorInfo(&creator))) {
            return;
        }
        creator->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        creator->Release();
    }
};

template <typename Object> class TestClassFactory : public HostObject<IClassFactory> {
public:
    explicit TestClassFactory(const char* name) : name_(name) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        Record(std::string(name_) + ".Create");
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        Object* created = new Object();
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    const char* name_;
};

DWORD RegisterHostClass(REFCLSID classId, IClassFactory* factory) {
    DWORD cookie = 0;
    const HRESULT result =
        CoRegisterClassObject(classId, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    factory->Release();
    if (FAILED(result)) {
        throw std::runtime_error("CoRegisterClassObject failed");
    }
    return cookie;
}

} // namespace

TestHost::TestHost(bool registerSelector, bool registerConfiguration) : previous_(currentHost) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    currentHost = this;
    if (registerSelector) {
        registrations_.push_back(RegisterHostClass(CLSID_VelmoraStatementFileSelector,
                                                   new TestClassFactory<TestSelector>("Selector")));
    }
    if (registerConfiguration) {
        registrations_.push_back(
            RegisterHostClass(CLSID_VelmoraBankConfiguration,
                              new TestClassFactory<TestConfiguration>("Configuration")));
    }
}

TestHost::~TestHost() {
    for (DWORD cookie : registrations_) {
        CoRevokeClassObject(cookie);
    }
    currentHost = previous_;
    CoUninitialize();
}

TestHost& TestHost::Current() {
    if (currentHost == nullptr) {
        throw std::logic_error("no test host in place");
    }
    return *currentHost;
}

ComPtr<IVelmoraBankAccount> MakeTestAccount(const AccountSetup& setup) {
    return ComPtr<IVelmoraBankAccount>::Adopt(new TestAccount(setup));
}

ComPtr<IVelmoraBankStatement> MakeTestStatement(std::vector<ReceivedTransaction>& received,
                                                bool givesTransactions) {
    return ComPtr<IVelmoraBankStatement>::Adopt(
        new TestStatementObject(received, givesTransactions));
}
