#include "bank/TestConfiguration.h"

#include <doctest/doctest.h>

#include <VelmoraEBanking.h>

#include "com/ComPtr.h"

namespace {

class TestConfiguration final : public IVelmoraBankConfiguration, public ISupportErrorInfo {
public:
    explicit TestConfiguration(ConfigurationRecord& record) : record_(record) { ++record_.live; }
    ~TestConfiguration() { --record_.live; }
    TestConfiguration(const TestConfiguration&) = delete;
    TestConfiguration& operator=(const TestConfiguration&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown) ||
            InlineIsEqualGUID(iid, IID_IVelmoraBankConfiguration)) {
            *out = static_cast<IVelmoraBankConfiguration*>(this);
        } else if (InlineIsEqualGUID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG remaining = --references_;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID iid) override {
        return record_.supportsErrorInfo && InlineIsEqualGUID(iid, IID_IVelmoraBankConfiguration)
                   ? S_OK
                   : S_FALSE;
    }

    STDMETHOD(ConfigureBank)(char* bankName, long mode) override {
        ++record_.calls;
        record_.bankName.assign(bankName, 1024);
        record_.mode = mode;
        if (FAILED(record_.answer)) {
            ComPtr<ICreateErrorInfo> creator;
            if (SUCCEEDED(CreateErrorInfo(creator.Out()))) {
                creator->SetDescription(const_cast<LPOLESTR>(L"Configuration refused"));
                SetErrorInfo(0, creator.As<IErrorInfo>(IID_IErrorInfo).Get());
            }
        }
        return record_.answer;
    }
    STDMETHOD(GetStatementSettings)(char*, char*) override { return E_NOTIMPL; }
    STDMETHOD(GetPaymentSettings)(char*, char*, char*, char*) override { return E_NOTIMPL; }

private:
    ConfigurationRecord& record_;
    ULONG references_ = 0;
};

class TestConfigurationFactory final : public IClassFactory {
public:
    explicit TestConfigurationFactory(ConfigurationRecord& record) : record_(record) {}

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG remaining = --references_;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        auto* object = new TestConfiguration(record_);
        object->AddRef();
        HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    STDMETHOD(LockServer)(BOOL) override { return S_OK; }

private:
    ConfigurationRecord& record_;
    ULONG references_ = 1;
};

} // namespace

RegisteredTestConfiguration::RegisteredTestConfiguration()
    : factory_(new TestConfigurationFactory(record_)) {
    REQUIRE(CoRegisterClassObject(CLSID_VelmoraBankConfiguration, factory_, CLSCTX_INPROC_SERVER,
                                  REGCLS_MULTIPLEUSE, &cookie_) == S_OK);
}

RegisteredTestConfiguration::~RegisteredTestConfiguration() {
    CoRevokeClassObject(cookie_);
    factory_->Release();
}
