// The bank object through COM: its name, number, services list, configuration call, the
// interfaces it answers and its errors.
#include <doctest/doctest.h>

#include <Corvane.h>

#include "bank/ThreadError.h"
#include "com/Bstr.h"
#include "hostkit/HostKit.h"
#include "support/ComObjectProbes.h"
#include "support/ComponentProbe.h"
#include "support/WideText.h"

namespace {

ComPtr<IBank> NewBank() {
    ComPtr<IBank> bank = CreateComponentObject<IBank>(CLSID_Bank, IID_IBank);
    REQUIRE(bank);
    return bank;
}

} // namespace

TEST_CASE("the bank tells its name and fixed number") {
    ComponentSession session;
    ComPtr<IBank> bank = NewBank();
    Bstr first;
    Bstr second;
    REQUIRE(bank->get_Name(first.Out()) == S_OK);
    REQUIRE(bank->get_Name(second.Out()) == S_OK);
    CHECK(std::wstring(first.Get()) == L"Northern Bank");
    CHECK(first.Length() == 13);
    CHECK(first.Get() != second.Get());
    long number = 0;
    CHECK(bank->get_FixedNumber(&number) == S_OK);
    CHECK(number == 1);
    number = 0;
    CHECK(bank->get_FixedNumber(&number) == S_OK);
    CHECK(number == 1);
}

TEST_CASE("the bank makes its services list once and keeps it") {
    ComponentSession session;
    ComPtr<IBank> bank = NewBank();
    ComPtr<IVelmoraBankServices> first;
    ComPtr<IVelmoraBankServices> second;
    REQUIRE(bank->get_Services(first.Out()) == S_OK);
    REQUIRE(bank->get_Services(second.Out()) == S_OK);
    CHECK(first.Get() == second.Get());
    // The bank's own reference and the two handed out.
    CHECK(ReferencesOf(first.Get()) == 3);
    IVelmoraBankServices* list = first.Get();
    first.Reset();
    second.Reset();
    REQUIRE(bank->get_Services(first.Out()) == S_OK);
    CHECK(first.Get() == list);
    long count = 0;
    CHECK(first->get_Count(&count) == S_OK);
    CHECK(count == 2);
    CHECK(first.As<IBankServices>(IID_IBankServices));
}

TEST_CASE("the bank answers exactly its interfaces, all but one its dual interface") {
    ComponentSession session;
    ComPtr<IBank> bank = NewBank();
    IUnknown* dual = bank.Get();
    CHECK(bank.As<IVelmoraBank>(IID_IVelmoraBank).Get() == dual);
    CHECK(bank.As<IDispatch>(IID_IDispatch).Get() == dual);
    CHECK(bank.As<IUnknown>(IID_IUnknown).Get() == dual);
    ComPtr<ISupportErrorInfo> support = bank.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    REQUIRE(support);
    for (const IID* other : {&IID_IBankServices, &IID_IVelmoraBankServices,
                             &IID_IVelmoraBankService, &IID_IEnumVARIANT, &IID_IClassFactory}) {
        void* out = &out;
        CHECK(bank->QueryInterface(*other, &out) == E_NOINTERFACE);
        CHECK(out == nullptr);
    }
    CHECK(support->InterfaceSupportsErrorInfo(IID_IBank) == S_OK);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraBank) == S_FALSE);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IDispatch) == S_FALSE);
}

TEST_CASE("null out-pointers are invalid arguments described on the thread") {
    ComponentSession session;
    ComPtr<IBank> bank = NewBank();
    SUBCASE("Name") {
        ClearThreadError();
        CHECK(bank->get_Name(nullptr) == InvalidArgumentResult);
    }
    SUBCASE("Services") {
        ClearThreadError();
        CHECK(bank->get_Services(nullptr) == InvalidArgumentResult);
    }
    SUBCASE("FixedNumber") {
        ClearThreadError();
        CHECK(bank->get_FixedNumber(nullptr) == InvalidArgumentResult);
    }
    ThreadError error = TakeThreadError();
    CHECK(error.present);
    CHECK(error.description == std::wstring(L"Invalid argument"));
    CHECK(error.source.empty());
}

TEST_CASE("Configure hands the bank's name to the host's configuration object") {
    ComponentSession session;
    HostKit host;
    ComPtr<IBank> bank = NewBank();
    const std::vector<ConfigurationCall>& calls = host.Configuration().calls;

    SUBCASE("the name in a 1024-byte buffer, zero after it, with mode 3, whatever the argument") {
        for (long argument : {0L, 1L, -7L}) {
            CHECK(bank->Configure(argument) == S_OK);
        }
        REQUIRE(calls.size() == 3);
        for (const ConfigurationCall& call : calls) {
            CHECK(call.operation == "ConfigureBank");
            CHECK(call.mode == 3);
            CHECK(call.bankName == "Northern Bank");
            CHECK(call.bankNameZeroFilled);
        }
    }
    SUBCASE("a success code other than S_OK is success") {
        host.Control().Fail("Configuration.ConfigureBank", S_FALSE);
        CHECK(bank->Configure(0) == S_OK);
    }
    SUBCASE("a failure becomes DISP_E_EXCEPTION, the host's error object taken off the thread") {
        host.Control().Fail("Configuration.ConfigureBank", E_ACCESSDENIED,
                            L"Configuration refused");
        ClearThreadError();
        CHECK(bank->Configure(0) == DISP_E_EXCEPTION);
        CHECK(!TakeThreadError().present);
    }
    SUBCASE("a failure of a host without error information leaves its error object") {
        host.Control().Fail("Configuration.ConfigureBank", E_ACCESSDENIED,
                            L"Configuration refused");
        host.Control().SupportErrorInfo(false);
        ClearThreadError();
        CHECK(bank->Configure(0) == DISP_E_EXCEPTION);
        CHECK(TakeThreadError().description == std::wstring(L"Configuration refused"));
    }
    bank.Reset();
    // Only the two registered class objects are left.
    CHECK(host.Control().LiveObjects() == 2);
}

TEST_CASE("Configure without a host configuration object fails as a COM error") {
    ComponentSession session;
    ComPtr<IBank> bank = NewBank();
    ClearThreadError();
    CHECK(bank->Configure(0) == DISP_E_EXCEPTION);
    CHECK(!TakeThreadError().present);
}
