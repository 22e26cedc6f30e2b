// The uniform error guard: how raised failures become results and error objects.
#include <doctest/doctest.h>

#include <new>

#include "bank/ThreadError.h"
#include "com/Bstr.h"
#include "com/ComInitialization.h"
#include "com/ComPtr.h"
#include "hostcall/ComError.h"
#include "hostcall/ErrorGuard.h"
#include "hostkit/HostConfiguration.h"
#include "support/WideText.h"

namespace {

HRESULT Raising(long code) {
    return MethodErrorGuard([code]() -> HRESULT { throw code; });
}

// The host's configuration object, failing ConfigureBank with an error object of its own and
// saying or not that it supports error information for its interface.
class FailingHost {
public:
    explicit FailingHost(bool supportsErrorInfo) {
        control_->Fail("Configuration.ConfigureBank", E_ACCESSDENIED, L"The host refused");
        control_->SupportErrorInfo(supportsErrorInfo);
    }

    IVelmoraBankConfiguration* Object() const { return configuration_.Get(); }
    // The call as the component makes it.
    void CheckedCall() {
        char bankName[1024] = {};
        CheckHostCall(configuration_->ConfigureBank(bankName, 3), Object(),
                      IID_IVelmoraBankConfiguration);
    }

private:
    std::shared_ptr<HostControl> control_ = std::make_shared<HostControl>();
    ComPtr<HostConfiguration> configuration_ =
        MakeHostObject<HostConfiguration>(std::make_shared<ConfigurationState>(), control_);
};

} // namespace

TEST_CASE("each raised code of the table gets its own result and description") {
    ScopedComInitialization com;
    struct Row {
        HRESULT raised;
        HRESULT returned;
        const wchar_t* description;
    };
    const Row rows[] = {
        {E_UNEXPECTED, UnexpectedResult, L"Unexpected result"},
        {E_OUTOFMEMORY, OutOfMemoryResult, L"Out of Memory"},
        {E_INVALIDARG, InvalidArgumentResult, L"Invalid argument"},
        {E_NOTIMPL, NotImplementedResult, L"Not implemented"},
        {E_NOINTERFACE, NoInterfaceResult, L"Interface not supported"},
        {E_FAIL, UnexpectedResult, L"Unexpected result"},
        {E_ACCESSDENIED, UnexpectedResult, L"Unexpected result"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.raised);
        ClearThreadError();
        CHECK(Raising(row.raised) == row.returned);
        ThreadError error = TakeThreadError();
        CHECK(error.present);
        CHECK(error.description == std::wstring(row.description));
        CHECK(error.source.empty());
    }
}

TEST_CASE("codes already translated, and host exceptions, pass the guard unchanged") {
    ScopedComInitialization com;
    SUBCASE("an inner guard's result keeps the inner description") {
        ClearThreadError();
        HRESULT result = MethodErrorGuard([]() -> HRESULT {
            HRESULT inner = Raising(E_OUTOFMEMORY);
            throw static_cast<long>(inner);
        });
        CHECK(result == OutOfMemoryResult);
        CHECK(TakeThreadError().description == std::wstring(L"Out of Memory"));
    }
    SUBCASE("DISP_E_EXCEPTION sets no error object") {
        ClearThreadError();
        CHECK(Raising(DISP_E_EXCEPTION) == DISP_E_EXCEPTION);
        CHECK(!TakeThreadError().present);
    }
}

TEST_CASE("the guard returns the body's own result, success codes included") {
    CHECK(MethodErrorGuard([]() -> HRESULT { return S_FALSE; }) == S_FALSE);
    CHECK(MethodErrorGuard([]() -> HRESULT { return E_ACCESSDENIED; }) == E_ACCESSDENIED);
}

TEST_CASE("anything else raised gives E_UNEXPECTED without an error object") {
    ScopedComInitialization com;
    ClearThreadError();
    CHECK(MethodErrorGuard([]() -> HRESULT { throw std::bad_alloc(); }) == E_UNEXPECTED);
    CHECK(MethodErrorGuard([]() -> HRESULT { throw 1.5; }) == E_UNEXPECTED);
    CHECK(!TakeThreadError().present);
}

TEST_CASE("a failed host call becomes DISP_E_EXCEPTION and takes the host's error object along") {
    ScopedComInitialization com;
    SUBCASE("the host supports error information: none is left on the thread") {
        FailingHost host(true);
        ClearThreadError();
        CHECK(MethodErrorGuard([&]() -> HRESULT {
                  host.CheckedCall();
                  return S_OK;
              }) == DISP_E_EXCEPTION);
        CHECK(!TakeThreadError().present);
    }
    SUBCASE("the error information travels with the raised error") {
        FailingHost host(true);
        try {
            host.CheckedCall();
            FAIL("a failed call must raise");
        } catch (const ComError& error) {
            CHECK(error.Result() == E_ACCESSDENIED);
            REQUIRE(error.Info() != nullptr);
            Bstr text;
            error.Info()->GetDescription(text.Out());
            CHECK(std::wstring(text.Get() ? text.Get() : L"") == L"The host refused");
        }
    }
    SUBCASE("the host does not support it for that interface: its error object stays") {
        FailingHost host(false);
        ClearThreadError();
        CHECK(MethodErrorGuard([&]() -> HRESULT {
                  host.CheckedCall();
                  return S_OK;
              }) == DISP_E_EXCEPTION);
        CHECK(TakeThreadError().description == std::wstring(L"The host refused"));
    }
    SUBCASE("a successful call raises nothing") {
        FailingHost host(true);
        CHECK_NOTHROW(CheckHostCall(S_FALSE, host.Object(), IID_IVelmoraBankConfiguration));
    }
    SUBCASE("a missing host object") {
        ClearThreadError();
        CHECK(MethodErrorGuard([]() -> HRESULT { RaiseMissingHostObject(); }) == DISP_E_EXCEPTION);
        CHECK(!TakeThreadError().present);
    }
}
