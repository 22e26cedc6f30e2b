// The component loaded, used and unloaded again within one process, as a host that frees unused
// libraries does. bank_tests holds a neighbour's shared GCC runtime in its process, loaded before
// the component: each load must still raise and report the component's errors, and a module
// linked like it must find its unwind tables from its first static constructor on.
#include <doctest/doctest.h>

#include <Corvane.h>

#include <string>

#include "bank/ThreadError.h"
#include "calendar/LoadedLibrary.h"
#include "com/ComInitialization.h"
#include "fixtures/TempFolder.h"
#include "hostkit/TextConversion.h"
#include "support/ComponentProbe.h"

namespace {

template <class Function> Function* EntryPoint(HMODULE module, const char* name) {
    Function* function =
        reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    REQUIRE((function != nullptr));
    return function;
}

// A bank's raised errors: a null out-pointer, a key that selects no service and a host call
// that fails (there is no host configuration object in this process).
void CheckRaisedErrors(HMODULE module) {
    ComPtr<IClassFactory> factory;
    REQUIRE(EntryPoint<HRESULT WINAPI(REFCLSID, REFIID, void**)>(module, "DllGetClassObject")(
                CLSID_Bank, IID_IClassFactory, factory.OutVoid()) == S_OK);
    ComPtr<IBank> bank;
    REQUIRE(factory->CreateInstance(nullptr, IID_IBank, bank.OutVoid()) == S_OK);
    CHECK(bank->get_Name(nullptr) == InvalidArgumentResult);
    ComPtr<IVelmoraBankServices> services;
    REQUIRE(bank->get_Services(services.Out()) == S_OK);
    VARIANT key;
    key.vt = VT_I4;
    key.lVal = 7;
    ComPtr<IVelmoraBankService> service;
    CHECK(services->Item(&key, service.Out()) == InvalidArgumentResult);
    CHECK(bank->Configure(0) == DISP_E_EXCEPTION);
    ClearThreadError();
}

} // namespace

TEST_CASE("the component unloads and loads again, and raises its errors after each load") {
    ScopedComInitialization com;
    // A copy of its own, which no other test of the program holds loaded.
    TempFolder folder;
    const std::string copy = folder / "Corvane.dll";
    REQUIRE(
        CopyFileW(ComponentProbe::Instance().Path().c_str(), WideFromAnsi(copy).c_str(), FALSE));
    for (int load = 1; load <= 2; ++load) {
        CAPTURE(load);
        {
            LoadedLibrary module(LoadLibraryA(copy.c_str()));
            REQUIRE(module.Get() != nullptr);
            CheckRaisedErrors(module.Get());
            CHECK(EntryPoint<HRESULT WINAPI()>(module.Get(), "DllCanUnloadNow")() == S_OK);
        }
        CHECK(GetModuleHandleA(copy.c_str()) == nullptr);
    }
}

TEST_CASE("a module linked like the component throws and catches while its statics are made") {
    // The process ends here when the module's unwind tables are not yet reachable.
    for (int load = 1; load <= 2; ++load) {
        CAPTURE(load);
        LoadedLibrary module(LoadLibraryA(STATIC_THROWING_MODULE));
        REQUIRE(module.Get() != nullptr);
        CHECK(EntryPoint<BOOL()>(module.Get(), "CaughtWhileConstructed")());
    }
}
