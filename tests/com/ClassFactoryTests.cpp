// The module's class objects: caching, creation with the aggregation rules, locks and the unload
// test.
#include <doctest/doctest.h>

#include "TestCounter.h"
#include "TestModule.h"
#include "com/ComPtr.h"
#include "com/ModuleLock.h"
#include "support/ComObjectProbes.h"

namespace {

ComPtr<IClassFactory> CounterClassObject() {
    ComPtr<IClassFactory> factory;
    REQUIRE(TestModule().GetClassObject(CLSID_Counter, IID_IClassFactory, factory.OutVoid()) ==
            S_OK);
    return factory;
}

} // namespace

TEST_CASE("class objects are cached per class and lock the module while a client holds one") {
    ComPtr<IClassFactory> first = CounterClassObject();
    CHECK(ModuleLockCount() == 1);
    CHECK(TestModule().CanUnloadNow() == S_FALSE);
    ComPtr<IUnknown> second;
    REQUIRE(TestModule().GetClassObject(CLSID_Counter, IID_IUnknown, second.OutVoid()) == S_OK);
    CHECK(second.Get() == static_cast<IUnknown*>(first.Get()));
    first.Reset();
    second.Reset();
    CHECK(ModuleLockCount() == 0);
    CHECK(TestModule().CanUnloadNow() == S_OK);
}

TEST_CASE("class objects are refused for unknown classes and null out-pointers") {
    void* out = &out;
    CHECK(TestModule().GetClassObject(IID_ICounter, IID_IClassFactory, &out) ==
          CLASS_E_CLASSNOTAVAILABLE);
    CHECK(out == nullptr);
    CHECK(TestModule().GetClassObject(CLSID_Counter, IID_IClassFactory, nullptr) == E_POINTER);
    CHECK(TestModule().GetClassObject(CLSID_Counter, IID_IDispatch, &out) == E_NOINTERFACE);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("CreateInstance follows the aggregation rules") {
    ComPtr<IClassFactory> factory = CounterClassObject();
    TestOuterObject outer;

    SUBCASE("stand-alone, queried for the interface asked") {
        ComPtr<ICounter> counter;
        CHECK(factory->CreateInstance(nullptr, IID_ICounter, counter.OutVoid()) == S_OK);
        CHECK(counter);
        CHECK(CCounter::Live == 1);
    }
    SUBCASE("an outer object may ask only for IUnknown") {
        void* out = &out;
        CHECK(factory->CreateInstance(&outer, IID_IDispatch, &out) == CLASS_E_NOAGGREGATION);
        CHECK(out == nullptr);
        CHECK(CCounter::Live == 0);
    }
    SUBCASE("aggregated, the inner IUnknown") {
        CHECK(factory->CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == S_OK);
        ComPtr<ICounter> counter = outer.Inner().As<ICounter>(IID_ICounter);
        REQUIRE(counter);
        CHECK(counter.As<IUnknown>(IID_IUnknown).Get() == static_cast<IUnknown*>(&outer));
    }
    SUBCASE("a null out-pointer") {
        CHECK(factory->CreateInstance(nullptr, IID_ICounter, nullptr) == E_POINTER);
    }
    SUBCASE("an interface the class does not have destroys the new object") {
        void* out = &out;
        CHECK(factory->CreateInstance(nullptr, IID_IClassFactory, &out) == E_NOINTERFACE);
        CHECK(out == nullptr);
        CHECK(CCounter::Live == 0);
    }
    SUBCASE("a failing construction is returned as it is") {
        CCounter::NextConstructionResult = E_ACCESSDENIED;
        void* out = &out;
        CHECK(factory->CreateInstance(nullptr, IID_ICounter, &out) == E_ACCESSDENIED);
        CHECK(out == nullptr);
        CHECK(CCounter::Live == 0);
    }
    factory.Reset();
    outer.Inner().Reset();
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("LockServer holds the module until it is unlocked as often") {
    ComPtr<IClassFactory> factory = CounterClassObject();
    CHECK(factory->LockServer(TRUE) == S_OK);
    CHECK(factory->LockServer(TRUE) == S_OK);
    factory.Reset();
    CHECK(TestModule().CanUnloadNow() == S_FALSE);
    factory = CounterClassObject();
    CHECK(factory->LockServer(FALSE) == S_OK);
    factory.Reset();
    CHECK(TestModule().CanUnloadNow() == S_FALSE);
    factory = CounterClassObject();
    CHECK(factory->LockServer(FALSE) == S_OK);
    factory.Reset();
    CHECK(TestModule().CanUnloadNow() == S_OK);
}

TEST_CASE("a live object keeps the module from unloading") {
    ComPtr<ICounter> counter;
    REQUIRE(CounterClassObject()->CreateInstance(nullptr, IID_ICounter, counter.OutVoid()) == S_OK);
    CHECK(TestModule().CanUnloadNow() == S_FALSE);
    counter.Reset();
    CHECK(TestModule().CanUnloadNow() == S_OK);
}
