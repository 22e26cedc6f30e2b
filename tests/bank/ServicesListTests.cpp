// The services list through COM: its count, the key lookup of Item for every kind of key, the
// enumerator, the interfaces it answers and its errors.
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

ComPtr<IVelmoraBankServices> NewList() {
    ComPtr<IVelmoraBankServices> list =
        CreateComponentObject<IVelmoraBankServices>(CLSID_BankServices, IID_IBankServices);
    REQUIRE(list);
    return list;
}

std::wstring NameOf(IVelmoraBankService* service) {
    Bstr name;
    REQUIRE(service->get_Name(name.Out()) == S_OK);
    return name.Get();
}

// The name of the service a key selects, or the failure of Item.
struct Lookup {
    HRESULT result;
    std::wstring name;
};

Lookup Select(IVelmoraBankServices* list, VARIANT* key) {
    ComPtr<IVelmoraBankService> service;
    HRESULT result = list->Item(key, service.Out());
    return {result, SUCCEEDED(result) ? NameOf(service.Get()) : L""};
}

const std::wstring Payment = L"Bank Payment Service";
const std::wstring Statement = L"Bank Reconciliation Service";

std::wstring NameOfEntry(const VARIANT& entry) {
    REQUIRE(V_VT(&entry) == VT_DISPATCH);
    ComPtr<IVelmoraBankService> service = ComPtr<IDispatch>::Share(V_DISPATCH(&entry))
                                              .As<IVelmoraBankService>(IID_IBankPaymentService);
    if (!service) {
        service = ComPtr<IDispatch>::Share(V_DISPATCH(&entry))
                      .As<IVelmoraBankService>(IID_IBankStatementService);
    }
    REQUIRE(service);
    return NameOf(service.Get());
}

} // namespace

TEST_CASE("a new list holds the payment service, then the statement service") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    long count = 0;
    CHECK(list->get_Count(&count) == S_OK);
    CHECK(count == 2);
    Variant key;
    SetNumber(key, 0);
    CHECK(Select(list.Get(), key.Get()).name == Payment);
    V_I4(key.Get()) = 1;
    CHECK(Select(list.Get(), key.Get()).name == Statement);

    ComPtr<IVelmoraBankService> first;
    ComPtr<IVelmoraBankService> again;
    REQUIRE(list->Item(key.Get(), first.Out()) == S_OK);
    REQUIRE(list->Item(key.Get(), again.Out()) == S_OK);
    CHECK(first.Get() == again.Get());
    // The list's own reference and the two handed out.
    CHECK(ReferencesOf(first.Get()) == 3);
    // Handed out as the service's dual pointer.
    CHECK(first.As<IUnknown>(IID_IBankStatementService).Get() ==
          static_cast<IUnknown*>(first.Get()));
}

TEST_CASE("Item selects by position with any numeric key") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    Variant key;
    VARIANT* k = key.Get();

    SUBCASE("integers of every width") {
        V_VT(k) = VT_I1;
        V_I1(k) = 1;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_UI1;
        V_UI1(k) = 0;
        CHECK(Select(list.Get(), k).name == Payment);
        V_VT(k) = VT_I2;
        V_I2(k) = 1;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_UI2;
        V_UI2(k) = 1;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_UI4;
        V_UI4(k) = 0;
        CHECK(Select(list.Get(), k).name == Payment);
        V_VT(k) = VT_INT;
        V_INT(k) = 1;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_UINT;
        V_UINT(k) = 0;
        CHECK(Select(list.Get(), k).name == Payment);
        V_VT(k) = VT_I8;
        V_I8(k) = 1;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_UI8;
        V_UI8(k) = 0;
        CHECK(Select(list.Get(), k).name == Payment);
    }
    SUBCASE("reals, currency, dates and decimals, rounded to the nearest position") {
        V_VT(k) = VT_R8;
        V_R8(k) = 0.6;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_R4;
        V_R4(k) = 0.4f;
        CHECK(Select(list.Get(), k).name == Payment);
        V_VT(k) = VT_CY;
        V_CY(k).int64 = 10000;
        CHECK(Select(list.Get(), k).name == Statement);
        V_VT(k) = VT_DATE;
        V_DATE(k) = 0.0;
        CHECK(Select(list.Get(), k).name == Payment);
        VariantClear(k);
        V_VT(k) = VT_I4;
        V_I4(k) = 1;
        REQUIRE(VariantChangeType(k, k, 0, VT_DECIMAL) == S_OK);
        CHECK(Select(list.Get(), k).name == Statement);
    }
    SUBCASE("numbers by reference") {
        long position = 1;
        V_VT(k) = VT_I4 | VT_BYREF;
        V_I4REF(k) = &position;
        CHECK(Select(list.Get(), k).name == Statement);
        double real = 0.2;
        V_VT(k) = VT_R8 | VT_BYREF;
        V_R8REF(k) = &real;
        CHECK(Select(list.Get(), k).name == Payment);
        V_VT(key.Get()) = VT_EMPTY;
    }
    SUBCASE("positions outside the list") {
        V_VT(k) = VT_I4;
        for (long position : {2L, -1L, 100L}) {
            V_I4(k) = position;
            CHECK(Select(list.Get(), k).result == InvalidArgumentResult);
        }
        V_VT(k) = VT_R8;
        V_R8(k) = 1e12;
        CHECK(Select(list.Get(), k).result == InvalidArgumentResult);
    }
}

TEST_CASE("Item selects by exact name, and never reads a text as a number") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    Variant key;
    SetText(key, L"Bank Reconciliation Service");
    CHECK(Select(list.Get(), key.Get()).name == Statement);

    Bstr byReference(SysAllocString(L"Bank Payment Service"));
    BSTR text = byReference.Get();
    Variant reference;
    V_VT(reference.Get()) = VT_BSTR | VT_BYREF;
    V_BSTRREF(reference.Get()) = &text;
    CHECK(Select(list.Get(), reference.Get()).name == Payment);
    V_VT(reference.Get()) = VT_EMPTY;

    for (const wchar_t* miss :
         {L"bank reconciliation service", L"1", L"0", L"", L"Bank Payment Service "}) {
        CAPTURE(ShowWide(miss));
        Variant wrong;
        SetText(wrong, miss);
        CHECK(Select(list.Get(), wrong.Get()).result == InvalidArgumentResult);
    }
}

TEST_CASE("Item unwraps a variant passed by reference") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    Variant inner;
    SetText(inner, L"Bank Payment Service");
    Variant outer;
    V_VT(outer.Get()) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(outer.Get()) = inner.Get();
    CHECK(Select(list.Get(), outer.Get()).name == Payment);
    VariantClear(inner.Get());
    V_VT(inner.Get()) = VT_I2;
    V_I2(inner.Get()) = 1;
    CHECK(Select(list.Get(), outer.Get()).name == Statement);
    V_VT(outer.Get()) = VT_EMPTY;
}

TEST_CASE("Item refuses keys that select nothing, with an invalid argument error") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    Variant key;
    VARIANT* k = key.Get();
    SUBCASE("an empty key") {
        V_VT(k) = VT_EMPTY;
    }
    SUBCASE("an omitted argument") {
        V_VT(k) = VT_ERROR;
        V_ERROR(k) = DISP_E_PARAMNOTFOUND;
    }
    SUBCASE("a null") {
        V_VT(k) = VT_NULL;
    }
    SUBCASE("a boolean") {
        V_VT(k) = VT_BOOL;
        V_BOOL(k) = VARIANT_FALSE;
    }
    SUBCASE("an object") {
        V_VT(k) = VT_UNKNOWN;
        V_UNKNOWN(k) = nullptr;
    }
    SUBCASE("a null number reference") {
        V_VT(k) = VT_I4 | VT_BYREF;
        V_I4REF(k) = nullptr;
    }
    ClearThreadError();
    ComPtr<IVelmoraBankService> service;
    CHECK(list->Item(k, service.Out()) == InvalidArgumentResult);
    CHECK(!service);
    CHECK(TakeThreadError().description == std::wstring(L"Invalid argument"));
    V_VT(k) = VT_EMPTY;
}

TEST_CASE("the list refuses null pointers") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    Variant key;
    SetNumber(key, 0);
    ComPtr<IVelmoraBankService> service;
    CHECK(list->Item(nullptr, service.Out()) == InvalidArgumentResult);
    CHECK(list->Item(key.Get(), nullptr) == InvalidArgumentResult);
    CHECK(list->get_Count(nullptr) == InvalidArgumentResult);
    CHECK(list->get_NewEnum(nullptr) == InvalidArgumentResult);
}

TEST_CASE("the list answers exactly its interfaces") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    IUnknown* dual = list.Get();
    for (const IID* same :
         {&IID_IBankServices, &IID_IVelmoraBankServices, &IID_IDispatch, &IID_IUnknown}) {
        CHECK(list.As<IUnknown>(*same).Get() == dual);
    }
    ComPtr<ISupportErrorInfo> support = list.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    REQUIRE(support);
    for (const IID* other : {&IID_IBank, &IID_IVelmoraBank, &IID_IVelmoraBankService,
                             &IID_IEnumVARIANT, &IID_IBankPaymentService}) {
        void* out = &out;
        CHECK(list->QueryInterface(*other, &out) == E_NOINTERFACE);
        CHECK(out == nullptr);
    }
    CHECK(support->InterfaceSupportsErrorInfo(IID_IBankServices) == S_OK);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraBankServices) == S_FALSE);
}

TEST_CASE("the enumerator walks the services as dispatch pointers") {
    ComponentSession session;
    ComPtr<IVelmoraBankServices> list = NewList();
    ComPtr<IUnknown> unknown;
    REQUIRE(list->get_NewEnum(unknown.Out()) == S_OK);
    ComPtr<IEnumVARIANT> enumerator = unknown.As<IEnumVARIANT>(IID_IEnumVARIANT);
    REQUIRE(enumerator);
    CHECK(static_cast<IUnknown*>(enumerator.Get()) == unknown.Get());
    unknown.Reset();

    SUBCASE("Next past the end") {
        VARIANT entries[3];
        ULONG fetched = 99;
        CHECK(enumerator->Next(3, entries, &fetched) == S_FALSE);
        CHECK(fetched == 2);
        CHECK(NameOfEntry(entries[0]) == Payment);
        CHECK(NameOfEntry(entries[1]) == Statement);
        CHECK(V_VT(&entries[2]) == VT_EMPTY);
        for (VARIANT& entry : entries) {
            VariantClear(&entry);
        }
    }
    SUBCASE("Next of nothing") {
        ULONG fetched = 99;
        CHECK(enumerator->Next(0, nullptr, &fetched) == S_OK);
        CHECK(fetched == 0);
        Variant entry;
        CHECK(enumerator->Next(1, entry.Out(), nullptr) == S_OK);
        CHECK(NameOfEntry(*entry.Get()) == Payment);
    }
    SUBCASE("Skip within and past the end") {
        CHECK(enumerator->Skip(3) == S_FALSE);
        Variant entry;
        CHECK(enumerator->Next(1, entry.Out(), nullptr) == S_OK);
        CHECK(NameOfEntry(*entry.Get()) == Payment);
        CHECK(enumerator->Reset() == S_OK);
        CHECK(enumerator->Skip(2) == S_OK);
        ULONG fetched = 99;
        CHECK(enumerator->Next(1, entry.Out(), &fetched) == S_FALSE);
        CHECK(fetched == 0);
        CHECK(V_VT(entry.Get()) == VT_EMPTY);
    }
    SUBCASE("Reset starts again") {
        Variant entry;
        CHECK(enumerator->Skip(1) == S_OK);
        CHECK(enumerator->Reset() == S_OK);
        CHECK(enumerator->Next(1, entry.Out(), nullptr) == S_OK);
        CHECK(NameOfEntry(*entry.Get()) == Payment);
    }
    SUBCASE("a clone starts where its original was and moves on its own") {
        Variant entry;
        REQUIRE(enumerator->Next(1, entry.Out(), nullptr) == S_OK);
        ComPtr<IEnumVARIANT> clone;
        REQUIRE(enumerator->Clone(clone.Out()) == S_OK);
        CHECK(ReferencesOf(clone.Get()) == 1);
        CHECK(clone->Next(1, entry.Out(), nullptr) == S_OK);
        CHECK(NameOfEntry(*entry.Get()) == Statement);
        CHECK(clone->Next(1, entry.Out(), nullptr) == S_FALSE);
        CHECK(enumerator->Next(1, entry.Out(), nullptr) == S_OK);
        CHECK(NameOfEntry(*entry.Get()) == Statement);
        CHECK(enumerator->Clone(nullptr) == E_POINTER);
    }
    SUBCASE("QueryInterface checks the identifier before the out-pointer") {
        CHECK(enumerator->QueryInterface(IID_IDispatch, nullptr) == E_NOINTERFACE);
        CHECK(enumerator->QueryInterface(IID_IEnumVARIANT, nullptr) == E_POINTER);
        void* out = &out;
        CHECK(enumerator->QueryInterface(IID_IVelmoraBankServices, &out) == E_NOINTERFACE);
        CHECK(out == nullptr);
    }
    SUBCASE("references are counted and the last release destroys it") {
        CHECK(enumerator->AddRef() == 2);
        CHECK(enumerator->Release() == 1);
        CHECK(enumerator.Detach()->Release() == 0);
    }
}

TEST_CASE("an enumerator outlives the list and the bank it came from") {
    ComponentSession session;
    ComPtr<IEnumVARIANT> enumerator;
    {
        ComPtr<IBank> bank = CreateComponentObject<IBank>(CLSID_Bank, IID_IBank);
        REQUIRE(bank);
        ComPtr<IVelmoraBankServices> list;
        REQUIRE(bank->get_Services(list.Out()) == S_OK);
        ComPtr<IUnknown> unknown;
        REQUIRE(list->get_NewEnum(unknown.Out()) == S_OK);
        enumerator = unknown.As<IEnumVARIANT>(IID_IEnumVARIANT);
    }
    CHECK(ComponentProbe::Instance().CanUnloadNow() == S_FALSE);
    VARIANT entries[2];
    ULONG fetched = 0;
    CHECK(enumerator->Next(2, entries, &fetched) == S_OK);
    CHECK(fetched == 2);
    CHECK(NameOfEntry(entries[1]) == Statement);
    for (VARIANT& entry : entries) {
        VariantClear(&entry);
    }
}
