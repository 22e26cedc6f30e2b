// Late binding as a script host does it: names resolved through IDispatch, calls made through
// Invoke, the inherited host members included, and errors reported as exceptions.
#include <doctest/doctest.h>

#include <Corvane.h>

#include "bank/ThreadError.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "support/ComObjectProbes.h"
#include "support/ComponentProbe.h"
#include "support/VariantValues.h"
#include "support/WideText.h"

namespace {

// Reads a property (or calls a method) with at most one argument.
HRESULT Read(IDispatch* object, DISPID id, Variant& result, VARIANT* argument = nullptr,
             EXCEPINFO* exception = nullptr) {
    DISPPARAMS parameters = {argument, nullptr, argument != nullptr ? 1u : 0u, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                          &parameters, result.Out(), exception, nullptr);
}

ComPtr<IDispatch> DispatchOf(const VARIANT& value) {
    REQUIRE(V_VT(&value) == VT_DISPATCH);
    return ComPtr<IDispatch>::Share(V_DISPATCH(&value));
}

std::wstring TextOf(const Variant& value) {
    REQUIRE(V_VT(value.Get()) == VT_BSTR);
    return V_BSTR(value.Get());
}

ComPtr<IDispatch> NewBank() {
    ComPtr<IDispatch> bank = CreateComponentObject<IDispatch>(CLSID_Bank, IID_IDispatch);
    REQUIRE(bank);
    return bank;
}

} // namespace

TEST_CASE("the bank's members are reached by name") {
    ComponentSession session;
    ComPtr<IDispatch> bank = NewBank();
    UINT count = 0;
    CHECK(bank->GetTypeInfoCount(&count) == S_OK);
    CHECK(count == 1);
    CHECK(bank->GetTypeInfoCount(nullptr) == E_POINTER);

    Variant result;
    REQUIRE(Read(bank.Get(), DispatchIdOf(bank.Get(), L"Name"), result) == S_OK);
    CHECK(TextOf(result) == L"Northern Bank");
    REQUIRE(Read(bank.Get(), DispatchIdOf(bank.Get(), L"FixedNumber"), result) == S_OK);
    CHECK(V_VT(result.Get()) == VT_I4);
    CHECK(V_I4(result.Get()) == 1);
    REQUIRE(Read(bank.Get(), DispatchIdOf(bank.Get(), L"Services"), result) == S_OK);
    ComPtr<IDispatch> services = DispatchOf(*result.Get());
    CHECK(services.As<IBankServices>(IID_IBankServices));

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Balance")};
    DISPID id = 0;
    CHECK(bank->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id) ==
          DISP_E_UNKNOWNNAME);
}

TEST_CASE("the services list is counted, indexed and enumerated by name") {
    ComponentSession session;
    ComPtr<IDispatch> bank = NewBank();
    Variant result;
    REQUIRE(Read(bank.Get(), DispatchIdOf(bank.Get(), L"Services"), result) == S_OK);
    ComPtr<IDispatch> services = DispatchOf(*result.Get());

    REQUIRE(Read(services.Get(), DispatchIdOf(services.Get(), L"Count"), result) == S_OK);
    CHECK(V_I4(result.Get()) == 2);

    Variant position;
    SetNumber(position, 1);
    REQUIRE(Read(services.Get(), DispatchIdOf(services.Get(), L"Item"), result, position.Get()) ==
            S_OK);
    ComPtr<IDispatch> statement = DispatchOf(*result.Get());
    REQUIRE(Read(statement.Get(), DispatchIdOf(statement.Get(), L"Name"), result) == S_OK);
    CHECK(TextOf(result) == L"Bank Reconciliation Service");

    SUBCASE("the default member is Item") {
        Variant name;
        SetText(name, L"Bank Payment Service");
        REQUIRE(Read(services.Get(), DISPID_VALUE, result, name.Get()) == S_OK);
        ComPtr<IDispatch> payment = DispatchOf(*result.Get());
        CHECK(payment.As<IBankPaymentService>(IID_IBankPaymentService));
    }
    SUBCASE("the enumerator") {
        REQUIRE(Read(services.Get(), DISPID_NEWENUM, result) == S_OK);
        REQUIRE(V_VT(result.Get()) == VT_UNKNOWN);
        ComPtr<IEnumVARIANT> enumerator =
            ComPtr<IUnknown>::Share(V_UNKNOWN(result.Get())).As<IEnumVARIANT>(IID_IEnumVARIANT);
        REQUIRE(enumerator);
        VARIANT entries[2];
        ULONG fetched = 0;
        CHECK(enumerator->Next(2, entries, &fetched) == S_OK);
        CHECK(fetched == 2);
        for (VARIANT& entry : entries) {
            CHECK(V_VT(&entry) == VT_DISPATCH);
            VariantClear(&entry);
        }
    }
    SUBCASE("a position outside the list comes back as an exception") {
        V_I4(position.Get()) = 5;
        ExceptionInfo exception;
        CHECK(Read(services.Get(), DispatchIdOf(services.Get(), L"Item"), result, position.Get(),
                   &exception.info) == DISP_E_EXCEPTION);
        CHECK(exception.info.scode == InvalidArgumentResult);
        CHECK(std::wstring(exception.info.bstrDescription ? exception.info.bstrDescription : L"") ==
              L"Invalid argument");
    }
}

TEST_CASE("a service's status is written and read by name") {
    ComponentSession session;
    ComPtr<IDispatch> service =
        CreateComponentObject<IDispatch>(CLSID_BankPaymentService, IID_IDispatch);
    REQUIRE(service);
    DISPID status = DispatchIdOf(service.Get(), L"Status");
    Variant value;
    SetNumber(value, 3);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {value.Get(), &named, 1, 1};
    REQUIRE(service->Invoke(status, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put,
                            nullptr, nullptr, nullptr) == S_OK);
    Variant result;
    REQUIRE(Read(service.Get(), status, result) == S_OK);
    CHECK(V_I4(result.Get()) == 3);
    REQUIRE(Read(service.Get(), DispatchIdOf(service.Get(), L"Name"), result) == S_OK);
    CHECK(TextOf(result) == L"Bank Payment Service");
}
