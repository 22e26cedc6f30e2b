// The operations every service answers, on the payment and the statement service through COM.
#include <doctest/doctest.h>

#include <Corvane.h>

#include "bank/ThreadError.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "support/ComponentProbe.h"
#include "support/VariantValues.h"
#include "support/WideText.h"

namespace {

struct ServiceClass {
    const char* name;
    const CLSID* clsid;
    const IID* dual;
    const IID* hostInterface;
    const IID* otherDual;
    const wchar_t* displayName;
};

const ServiceClass serviceClasses[] = {
    {"payment service", &CLSID_BankPaymentService, &IID_IBankPaymentService,
     &IID_IVelmoraBankPaymentService, &IID_IBankStatementService, L"Bank Payment Service"},
    {"statement service", &CLSID_BankStatementService, &IID_IBankStatementService,
     &IID_IVelmoraBankStatementService, &IID_IBankPaymentService, L"Bank Reconciliation Service"},
};

// A service as the host holds it: its dual pointer, used through the common service interface.
ComPtr<IVelmoraBankService> NewService(const ServiceClass& service) {
    ComPtr<IVelmoraBankService> dual =
        CreateComponentObject<IVelmoraBankService>(*service.clsid, *service.dual);
    REQUIRE(dual);
    return dual;
}

} // namespace

TEST_CASE("each service hands out copies of its display name") {
    ComponentSession session;
    for (const ServiceClass& serviceClass : serviceClasses) {
        CAPTURE(serviceClass.name);
        ComPtr<IVelmoraBankService> service = NewService(serviceClass);
        Bstr first;
        Bstr second;
        REQUIRE(service->get_Name(first.Out()) == S_OK);
        REQUIRE(service->get_Name(second.Out()) == S_OK);
        CHECK(first.Get() != second.Get());
        CHECK(SysStringByteLen(first.Get()) == 2 * wcslen(serviceClass.displayName));
        first.Reset();
        CHECK(std::wstring(second.Get()) == serviceClass.displayName);
    }
}

TEST_CASE("a service's status starts at 0 and keeps whatever is put") {
    ComponentSession session;
    for (const ServiceClass& serviceClass : serviceClasses) {
        CAPTURE(serviceClass.name);
        ComPtr<IVelmoraBankService> service = NewService(serviceClass);
        long status = -1;
        CHECK(service->get_Status(&status) == S_OK);
        CHECK(status == 0);
        for (long value : {3L, -42L, 0x7FFFFFFFL, 0L}) {
            CHECK(service->put_Status(value) == S_OK);
            CHECK(service->get_Status(&status) == S_OK);
            CHECK(status == value);
        }
    }
}

TEST_CASE("the optional values write nothing and need somewhere to put it") {
    ComponentSession session;
    for (const ServiceClass& serviceClass : serviceClasses) {
        CAPTURE(serviceClass.name);
        ComPtr<IVelmoraBankService> service = NewService(serviceClass);
        Variant value;
        SetNumber(value, 1234);
        CHECK(service->OptionalValue(value.Get()) == S_OK);
        CHECK(V_VT(value.Get()) == VT_I4);
        CHECK(V_I4(value.Get()) == 1234);
        CHECK(service->OptionalKeyedValue(7, value.Get()) == S_OK);
        CHECK(V_VT(value.Get()) == VT_I4);
        CHECK(V_I4(value.Get()) == 1234);
    }
}

TEST_CASE("a service refuses null out-pointers with an invalid argument error") {
    ComponentSession session;
    for (const ServiceClass& serviceClass : serviceClasses) {
        CAPTURE(serviceClass.name);
        ComPtr<IVelmoraBankService> service = NewService(serviceClass);
        const HRESULT results[] = {service->get_Name(nullptr), service->get_Status(nullptr),
                                   service->OptionalValue(nullptr),
                                   service->OptionalKeyedValue(0, nullptr)};
        for (HRESULT result : results) {
            CHECK(result == InvalidArgumentResult);
        }
        ClearThreadError();
        CHECK(service->OptionalKeyedValue(1, nullptr) == InvalidArgumentResult);
        ThreadError error = TakeThreadError();
        CHECK(error.description == std::wstring(L"Invalid argument"));
        CHECK(error.source.empty());
    }
}

TEST_CASE("a service answers its own interfaces but not the common service interface") {
    ComponentSession session;
    for (const ServiceClass& serviceClass : serviceClasses) {
        CAPTURE(serviceClass.name);
        ComPtr<IVelmoraBankService> service = NewService(serviceClass);
        IUnknown* dual = service.Get();
        for (const IID* same :
             {serviceClass.dual, serviceClass.hostInterface, &IID_IDispatch, &IID_IUnknown}) {
            ComPtr<IUnknown> answer = service.As<IUnknown>(*same);
            CHECK(answer.Get() == dual);
        }
        ComPtr<ISupportErrorInfo> support = service.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
        REQUIRE(support);
        for (const IID* other : {&IID_IVelmoraBankService, &IID_IBank, &IID_IBankServices,
                                 serviceClass.otherDual, &IID_IEnumVARIANT}) {
            void* out = &out;
            CHECK(service->QueryInterface(*other, &out) == E_NOINTERFACE);
            CHECK(out == nullptr);
        }
        CHECK(support->InterfaceSupportsErrorInfo(*serviceClass.dual) == S_OK);
        CHECK(support->InterfaceSupportsErrorInfo(*serviceClass.hostInterface) == S_FALSE);
        CHECK(support->InterfaceSupportsErrorInfo(IID_IVelmoraBankService) == S_FALSE);
    }
}

TEST_CASE("status texts: the payment service describes its codes, the statement service none") {
    ComponentSession session;
    ComPtr<IVelmoraBankPaymentService> payments = CreateComponentObject<IVelmoraBankPaymentService>(
        CLSID_BankPaymentService, IID_IVelmoraBankPaymentService);
    ComPtr<IVelmoraBankStatementService> statements =
        CreateComponentObject<IVelmoraBankStatementService>(CLSID_BankStatementService,
                                                            IID_IVelmoraBankStatementService);
    REQUIRE(payments);
    REQUIRE(statements);

    Bstr text;
    CHECK(payments->GetStatusText(21, text.Out()) == S_OK);
    CHECK(std::wstring(text.Get()) ==
          L"Invalid Amount specified for payment: negative payments not supported.");
    for (long code : {0L, 21L, 36L, -1L}) {
        CAPTURE(code);
        BSTR untouched = reinterpret_cast<BSTR>(0x1234);
        CHECK(statements->GetStatusText(code, &untouched) == S_OK);
        CHECK(untouched == reinterpret_cast<BSTR>(0x1234));
    }

    ClearThreadError();
    CHECK(payments->GetStatusText(21, nullptr) == InvalidArgumentResult);
    CHECK(TakeThreadError().description == std::wstring(L"Invalid argument"));
    CHECK(statements->GetStatusText(0, nullptr) == InvalidArgumentResult);
    CHECK(TakeThreadError().description == std::wstring(L"Invalid argument"));
}
