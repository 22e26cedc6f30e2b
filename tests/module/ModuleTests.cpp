// The module's entry points and class objects as a host's COM runtime uses them: creation by
// ProgID and class identifier, the aggregation rules, locks and the unload test.
#include <doctest/doctest.h>

#include <vector>

#include "com/Variant.h"
#include "module/ComponentClasses.h"
#include "support/ComObjectProbes.h"
#include "support/ComponentProbe.h"
#include "support/RegistryReading.h"
#include "support/VariantValues.h"
#include "support/WideText.h"

namespace {

ComPtr<IClassFactory> ClassObject(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    REQUIRE(ComponentProbe::Instance().GetClassObject(clsid, IID_IClassFactory,
                                                      factory.OutVoid()) == S_OK);
    return factory;
}

} // namespace

TEST_CASE("COM loads the registered server from the built DLL") {
    ComponentSession session;
    const ComponentProbe& probe = ComponentProbe::Instance();
    auto registered =
        ReadRegistryText(HKEY_CLASSES_ROOT, L"CLSID\\{CBA42988-78FD-436D-9DB5-E1E4144195AC}"
                                            L"\\InprocServer32");
    REQUIRE(registered);
    CHECK(_wcsicmp(registered->c_str(), probe.Path().c_str()) == 0);
    ComPtr<IUnknown> bank = CreateComponentObject<IUnknown>(CLSID_Bank, IID_IUnknown);
    REQUIRE(bank);
    CHECK(GetModuleHandleW(registered->c_str()) == probe.Module());
}

TEST_CASE("every class is created through COM by ProgID and by class identifier") {
    ComponentSession session;
    for (const ComponentClass& entry : ComponentClasses) {
        CAPTURE(ShowWide(entry.name));
        for (const wchar_t* progId : {entry.progId, entry.versionIndependentProgId}) {
            CLSID clsid = {};
            REQUIRE(CLSIDFromProgID(progId, &clsid) == S_OK);
            ComPtr<IDispatch> object = CreateComponentObject<IDispatch>(clsid, IID_IDispatch);
            CHECK(object);
        }
        ComPtr<IDispatch> object = CreateComponentObject<IDispatch>(*entry.clsid, IID_IDispatch);
        CHECK(object);
    }
}

TEST_CASE("DllGetClassObject serves the four classes and nothing else") {
    ComponentSession session;
    const ComponentProbe& probe = ComponentProbe::Instance();
    for (const ComponentClass& entry : ComponentClasses) {
        CAPTURE(ShowWide(entry.name));
        ComPtr<IClassFactory> first = ClassObject(*entry.clsid);
        ComPtr<IClassFactory> second = ClassObject(*entry.clsid);
        CHECK(first.Get() == second.Get());
    }
    void* out = &out;
    CHECK(probe.GetClassObject(IID_IBank, IID_IClassFactory, &out) == CLASS_E_CLASSNOTAVAILABLE);
    CHECK(out == nullptr);
    CHECK(probe.GetClassObject(CLSID_Bank, IID_IClassFactory, nullptr) == E_POINTER);
}

TEST_CASE("DllCanUnloadNow is S_FALSE while any object or lock of the module lives") {
    ComponentSession session;
    const ComponentProbe& probe = ComponentProbe::Instance();
    CHECK(probe.CanUnloadNow() == S_OK);

    SUBCASE("each class's object") {
        for (const ComponentClass& entry : ComponentClasses) {
            CAPTURE(ShowWide(entry.name));
            ComPtr<IUnknown> object = CreateComponentObject<IUnknown>(*entry.clsid, IID_IUnknown);
            REQUIRE(object);
            CHECK(probe.CanUnloadNow() == S_FALSE);
            object.Reset();
            CHECK(probe.CanUnloadNow() == S_OK);
        }
    }
    SUBCASE("the list and services a bank made, after the bank is gone") {
        ComPtr<IBank> bank = CreateComponentObject<IBank>(CLSID_Bank, IID_IBank);
        REQUIRE(bank);
        ComPtr<IVelmoraBankServices> services;
        REQUIRE(bank->get_Services(services.Out()) == S_OK);
        Variant position;
        SetNumber(position, 1);
        ComPtr<IVelmoraBankService> service;
        REQUIRE(services->Item(position.Get(), service.Out()) == S_OK);
        bank.Reset();
        CHECK(probe.CanUnloadNow() == S_FALSE);
        services.Reset();
        CHECK(probe.CanUnloadNow() == S_FALSE);
        service.Reset();
        CHECK(probe.CanUnloadNow() == S_OK);
    }
    SUBCASE("a client's reference to a class object") {
        ComPtr<IClassFactory> factory = ClassObject(CLSID_Bank);
        CHECK(probe.CanUnloadNow() == S_FALSE);
    }
    SUBCASE("LockServer, until unlocked as often") {
        ComPtr<IClassFactory> factory = ClassObject(CLSID_BankServices);
        CHECK(factory->LockServer(TRUE) == S_OK);
        factory.Reset();
        CHECK(probe.CanUnloadNow() == S_FALSE);
        factory = ClassObject(CLSID_BankServices);
        CHECK(factory->LockServer(FALSE) == S_OK);
    }
}

TEST_CASE("CreateInstance follows the aggregation rules") {
    ComponentSession session;
    TestOuterObject outer;

    SUBCASE("an outer object asking for anything but IUnknown is refused") {
        for (const ComponentClass& entry : ComponentClasses) {
            CAPTURE(ShowWide(entry.name));
            void* out = &out;
            CHECK(ClassObject(*entry.clsid)->CreateInstance(&outer, IID_IDispatch, &out) ==
                  CLASS_E_NOAGGREGATION);
            CHECK(out == nullptr);
        }
    }
    SUBCASE("an aggregated bank counts its interfaces' references on the outer object") {
        REQUIRE(ClassObject(CLSID_Bank)
                    ->CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == S_OK);
        ComPtr<IBank> bank;
        REQUIRE(outer.Inner()->QueryInterface(IID_IBank, bank.OutVoid()) == S_OK);
        CHECK(outer.References() == 2);
        bank->AddRef();
        CHECK(outer.References() == 3);
        bank->Release();
        CHECK(outer.References() == 2);
        ComPtr<IUnknown> identity = bank.As<IUnknown>(IID_IUnknown);
        CHECK(identity.Get() == static_cast<IUnknown*>(&outer));
        identity.Reset();
        long number = 0;
        CHECK(bank->get_FixedNumber(&number) == S_OK);
        CHECK(number == 1);
        bank.Reset();
        CHECK(outer.References() == 1);
    }
    SUBCASE("an aggregated services list is reached through the outer object") {
        REQUIRE(ClassObject(CLSID_BankServices)
                    ->CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == S_OK);
        ComPtr<IVelmoraBankServices> services;
        REQUIRE(outer.QueryInterface(IID_IVelmoraBankServices, services.OutVoid()) == S_OK);
        long count = 0;
        CHECK(services->get_Count(&count) == S_OK);
        CHECK(count == 2);
        ComPtr<IUnknown> enumerator;
        REQUIRE(services->get_NewEnum(enumerator.Out()) == S_OK);
        services.Reset();
        // The enumerator holds the list, which counts on its outer object.
        CHECK(outer.References() == 2);
        enumerator.Reset();
        CHECK(outer.References() == 1);
    }
    outer.Inner().Reset();
}

TEST_CASE("every object of the component refuses an unknown interface and clears the out-pointer") {
    ComponentSession session;
    for (const ComponentClass& entry : ComponentClasses) {
        CAPTURE(ShowWide(entry.name));
        CheckRefusesUnknownInterface(ClassObject(*entry.clsid).Get());
        CheckRefusesUnknownInterface(
            CreateComponentObject<IUnknown>(*entry.clsid, IID_IUnknown).Get());
        TestOuterObject outer;
        REQUIRE(ClassObject(*entry.clsid)
                    ->CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == S_OK);
        CheckRefusesUnknownInterface(outer.Inner().Get());
        outer.Inner().Reset();
    }
    ComPtr<IVelmoraBank> bank = CreateComponentObject<IVelmoraBank>(CLSID_Bank, IID_IVelmoraBank);
    REQUIRE(bank);
    ComPtr<IVelmoraBankServices> services;
    REQUIRE(bank->get_Services(services.Out()) == S_OK);
    CheckRefusesUnknownInterface(services.Get());
    ComPtr<IUnknown> enumerator;
    REQUIRE(services->get_NewEnum(enumerator.Out()) == S_OK);
    CheckRefusesUnknownInterface(enumerator.Get());
    ComPtr<IEnumVARIANT> clone;
    REQUIRE(enumerator.As<IEnumVARIANT>(IID_IEnumVARIANT)->Clone(clone.Out()) == S_OK);
    CheckRefusesUnknownInterface(clone.Get());
}

TEST_CASE("the version resource marks the module as registering itself") {
    const std::wstring& path = ComponentProbe::Instance().Path();
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    REQUIRE(size > 0);
    std::vector<BYTE> version(size);
    REQUIRE(GetFileVersionInfoW(path.c_str(), 0, size, version.data()));
    void* value = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueW(version.data(), L"\\StringFileInfo\\080904B0\\OLESelfRegister", &value,
                         &length));
}
