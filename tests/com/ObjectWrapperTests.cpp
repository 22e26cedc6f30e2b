// The object wrappers and interface maps: reference counts, module locks, the interfaces a class
// answers, and aggregation inside an outer object.
#include <doctest/doctest.h>

#include "TestCounter.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/ModuleLock.h"
#include "support/ComObjectProbes.h"

TEST_CASE("a stand-alone object counts its references and holds a module lock while it lives") {
    CComObject<CCounter>* created = nullptr;
    REQUIRE(CComObject<CCounter>::CreateInstance(&created) == S_OK);
    CHECK(CCounter::Live == 1);
    CHECK(ModuleLockCount() == 1);
    CHECK(created->AddRef() == 1);
    CHECK(created->AddRef() == 2);
    CHECK(created->Release() == 1);
    CHECK(CCounter::Live == 1);
    CHECK(created->Release() == 0);
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("a failing FinalConstruct destroys the object and becomes the creation's result") {
    CCounter::NextConstructionResult = E_ACCESSDENIED;
    CComObject<CCounter>* created = nullptr;
    CHECK(CComObject<CCounter>::CreateInstance(&created) == E_ACCESSDENIED);
    CHECK(created == nullptr);
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("QueryInterface answers exactly the interfaces in the class's map") {
    ComPtr<ICounter> counter;
    REQUIRE(CCounter::CreateInstance(nullptr, IID_ICounter, counter.OutVoid()) == S_OK);
    CHECK(ReferencesOf(counter.Get()) == 1);

    SUBCASE("every interface in the map, each with a reference of its own") {
        ComPtr<IDispatch> dispatch = counter.As<IDispatch>(IID_IDispatch);
        ComPtr<ISupportErrorInfo> support = counter.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
        ComPtr<IResettable> resettable = counter.As<IResettable>(IID_IResettable);
        CHECK(dispatch.Get() == static_cast<IDispatch*>(counter.Get()));
        CHECK(support);
        CHECK(resettable);
        CHECK(ReferencesOf(counter.Get()) == 4);
    }
    SUBCASE("IUnknown is the same pointer whichever interface is asked") {
        ComPtr<IResettable> resettable = counter.As<IResettable>(IID_IResettable);
        ComPtr<IUnknown> fromCounter = counter.As<IUnknown>(IID_IUnknown);
        ComPtr<IUnknown> fromResettable = resettable.As<IUnknown>(IID_IUnknown);
        CHECK(fromCounter.Get() == fromResettable.Get());
        CHECK(fromCounter.Get() == static_cast<IUnknown*>(counter.Get()));
    }
    SUBCASE("an interface outside the map") {
        void* out = &out;
        CHECK(counter->QueryInterface(IID_IClassFactory, &out) == E_NOINTERFACE);
        CHECK(out == nullptr);
        CHECK(ReferencesOf(counter.Get()) == 1);
    }
    SUBCASE("a null out-pointer") {
        CHECK(counter->QueryInterface(IID_ICounter, nullptr) == E_POINTER);
    }
    counter.Reset();
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("the creation's query failing destroys the new object") {
    ComPtr<IClassFactory> wrong;
    CHECK(CCounter::CreateInstance(nullptr, IID_IClassFactory, wrong.OutVoid()) == E_NOINTERFACE);
    CHECK(!wrong);
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("an aggregated object counts its interfaces' references on the outer object") {
    TestOuterObject outer;
    REQUIRE(CCounter::CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == S_OK);
    IUnknown* inner = outer.Inner().Get();
    CHECK(CCounter::Live == 1);
    CHECK(ModuleLockCount() == 1);
    CHECK(ReferencesOf(inner) == 1);

    {
        ComPtr<ICounter> counter;
        REQUIRE(inner->QueryInterface(IID_ICounter, counter.OutVoid()) == S_OK);
        CHECK(outer.References() == 2);
        CHECK(ReferencesOf(inner) == 1);
        counter->put_Value(7);

        SUBCASE("IUnknown through a contained interface is the outer object") {
            ComPtr<IUnknown> identity = counter.As<IUnknown>(IID_IUnknown);
            CHECK(identity.Get() == static_cast<IUnknown*>(&outer));
        }
        SUBCASE("IUnknown through the inner object is the inner object itself") {
            ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(inner).As<IUnknown>(IID_IUnknown);
            CHECK(self.Get() == inner);
            CHECK(outer.References() == 2);
        }
        SUBCASE("the outer object reaches the inner one's interfaces") {
            ComPtr<IResettable> resettable;
            REQUIRE(outer.QueryInterface(IID_IResettable, resettable.OutVoid()) == S_OK);
            resettable->Reset();
            long value = -1;
            counter->get_Value(&value);
            CHECK(value == 0);
        }
    }
    CHECK(outer.References() == 1);
    outer.Inner().Reset();
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}

TEST_CASE("an aggregated object whose FinalConstruct fails is destroyed") {
    TestOuterObject outer;
    CCounter::NextConstructionResult = E_OUTOFMEMORY;
    CHECK(CCounter::CreateInstance(&outer, IID_IUnknown, outer.Inner().OutVoid()) == E_OUTOFMEMORY);
    CHECK(!outer.Inner());
    CHECK(CCounter::Live == 0);
    CHECK(ModuleLockCount() == 0);
}
