// IDispatch served from the registered type library, type library registration and the
// ISupportErrorInfo helper.
#include <doctest/doctest.h>

#include "TestCounter.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/ModuleInstance.h"
#include "com/ModuleLock.h"
#include "com/ModulePath.h"
#include "com/TypeLibraryRegistration.h"
#include "com/Variant.h"
#include "support/ComObjectProbes.h"
#include "support/RegistryReading.h"
#include "support/VariantValues.h"
#include "support/WideText.h"

namespace {

const std::wstring LibraryKey = L"TypeLib\\{9713F4B2-47E9-478A-8AAA-DBED7C22A680}";
const std::wstring RegisteredPathKey = LibraryKey + L"\\1.0" + TypeLibraryPlatformKey;

bool LibraryLoadsById() {
    ComPtr<ITypeLib> library;
    return SUCCEEDED(LoadRegTypeLib(LIBID_ComLayerTestLib, 1, 0, 0, library.Out()));
}

// The test program's own type library registered for the test's lifetime.
struct RegisteredTestLibrary {
    RegisteredTestLibrary() { REQUIRE(RegisterModuleTypeLibrary(ModuleInstance()) == S_OK); }
    ~RegisteredTestLibrary() { UnregisterModuleTypeLibrary(ModuleInstance()); }
    RegisteredTestLibrary(const RegisteredTestLibrary&) = delete;
    RegisteredTestLibrary& operator=(const RegisteredTestLibrary&) = delete;
};

ComPtr<IDispatch> NewCounter() {
    ComPtr<IDispatch> counter;
    REQUIRE(CCounter::CreateInstance(nullptr, IID_IDispatch, counter.OutVoid()) == S_OK);
    return counter;
}

} // namespace

TEST_CASE("the module's type library is registered with the module's path") {
    REQUIRE(RegisterModuleTypeLibrary(ModuleInstance()) == S_OK);
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, RegisteredPathKey) == ModulePath(ModuleInstance()));
    CHECK(LibraryLoadsById());

    CHECK(UnregisterModuleTypeLibrary(ModuleInstance()) == S_OK);
    CHECK(!LibraryLoadsById());
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0"));
}

TEST_CASE("a type library file is registered under its full path") {
    wchar_t fullPath[MAX_PATH] = {};
    REQUIRE(GetFullPathNameW(COM_LAYER_TEST_TLB, MAX_PATH, fullPath, nullptr) > 0);
    REQUIRE(RegisterTypeLibraryFile(COM_LAYER_TEST_TLB) == S_OK);
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, RegisteredPathKey) == std::wstring(fullPath));
    CHECK(LibraryLoadsById());
    CHECK(UnregisterTypeLibraryFile(COM_LAYER_TEST_TLB) == S_OK);
    CHECK(!LibraryLoadsById());

    CHECK(FAILED(RegisterTypeLibraryFile(L"no such library.tlb")));
}

TEST_CASE("IDispatch resolves names and calls the interface through the type library") {
    RegisteredTestLibrary registered;
    ComPtr<IDispatch> counter = NewCounter();

    SUBCASE("type information") {
        UINT count = 0;
        CHECK(counter->GetTypeInfoCount(&count) == S_OK);
        CHECK(count == 1);
        CHECK(counter->GetTypeInfoCount(nullptr) == E_POINTER);
        ComPtr<ITypeInfo> info;
        REQUIRE(counter->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Out()) == S_OK);
        TYPEATTR* attributes = nullptr;
        REQUIRE(info->GetTypeAttr(&attributes) == S_OK);
        CHECK(InlineIsEqualGUID(attributes->guid, IID_ICounter));
        info->ReleaseTypeAttr(attributes);
        CHECK(counter->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.Out()) == DISP_E_BADINDEX);
        CHECK(!info);
    }
    SUBCASE("names") {
        CHECK(DispatchIdOf(counter.Get(), L"Value") == 1);
        CHECK(DispatchIdOf(counter.Get(), L"fail") == 2);
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"Nothing")};
        DISPID id = 0;
        CHECK(counter->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) ==
              DISP_E_UNKNOWNNAME);
        CHECK(counter->GetIDsOfNames(IID_ICounter, names, 1, LOCALE_USER_DEFAULT, &id) ==
              DISP_E_UNKNOWNINTERFACE);
    }
    SUBCASE("property put and get") {
        Variant value;
        SetNumber(value, 41);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS put = {value.Get(), &named, 1, 1};
        REQUIRE(counter->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put,
                                nullptr, nullptr, nullptr) == S_OK);
        DISPPARAMS none = {};
        Variant result;
        REQUIRE(counter->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                result.Out(), nullptr, nullptr) == S_OK);
        CHECK(V_VT(result.Get()) == VT_I4);
        CHECK(V_I4(result.Get()) == 41);
        CHECK(counter->Invoke(1, IID_ICounter, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              result.Out(), nullptr, nullptr) == DISP_E_UNKNOWNINTERFACE);
    }
    SUBCASE("a failing call comes back as an exception with the error object's description") {
        Variant code;
        SetNumber(code, E_ACCESSDENIED);
        DISPPARAMS arguments = {code.Get(), nullptr, 1, 0};
        ExceptionInfo exception;
        CHECK(counter->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &arguments,
                              nullptr, &exception.info, nullptr) == DISP_E_EXCEPTION);
        CHECK(exception.info.scode == E_ACCESSDENIED);
        CHECK(std::wstring(exception.info.bstrDescription ? exception.info.bstrDescription : L"") ==
              CounterFailureDescription);
    }
    counter.Reset();
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("IDispatch without the registered type library reports why") {
    ComPtr<IDispatch> counter = NewCounter();
    UINT count = 0;
    CHECK(counter->GetTypeInfoCount(&count) == S_OK);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Value")};
    DISPID id = 0;
    CHECK(counter->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) ==
          TYPE_E_LIBNOTREGISTERED);
}

TEST_CASE("error information is declared for the class's own interface only") {
    ComPtr<IDispatch> counter = NewCounter();
    ComPtr<ISupportErrorInfo> support = counter.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    REQUIRE(support);
    CHECK(support->InterfaceSupportsErrorInfo(IID_ICounter) == S_OK);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IDispatch) == S_FALSE);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IResettable) == S_FALSE);
}
