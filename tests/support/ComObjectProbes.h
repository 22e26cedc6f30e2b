#pragma once
// Ways for tests to look at COM objects from outside: reference counts, an outer object to
// aggregate into, names resolved through IDispatch, and the report of a failed late-bound call.
#include <doctest/doctest.h>

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "com/ComPtr.h"

// The object's reference count, read by adding and releasing one.
inline ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// An interface identifier no object of this project answers.
constexpr IID UnknownInterface = {
    0x6d1e0c4a, 0x93b2, 0x4f57, {0xa1, 0x0e, 0x5c, 0x27, 0x8b, 0x40, 0xd3, 0x19}};

// Every QueryInterface that fails leaves null in the caller's out-pointer: asks the object for
// an interface it cannot have, with an out-pointer that holds something.
inline void CheckRefusesUnknownInterface(IUnknown* object) {
    REQUIRE(object != nullptr);
    void* out = &out;
    CHECK(object->QueryInterface(UnknownInterface, &out) == E_NOINTERFACE);
    CHECK(out == nullptr);
}

// A controlling object that aggregates one inner object and counts the references it is given
// (it lives on the test's stack and starts with the test's own reference).
class TestOuterObject final : public IUnknown {
public:
    TestOuterObject() = default;
    TestOuterObject(const TestOuterObject&) = delete;
    TestOuterObject& operator=(const TestOuterObject&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        if (!inner_) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        return inner_->QueryInterface(iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override { return --references_; }

    ULONG References() const { return references_; }
    // The inner object's non-delegating IUnknown, which only the outer object holds.
    ComPtr<IUnknown>& Inner() { return inner_; }

private:
    ULONG references_ = 1;
    ComPtr<IUnknown> inner_;
};

// The dispatch identifier of a member name.
inline DISPID DispatchIdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    CHECK(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == S_OK);
    return id;
}

// The report of a late-bound call that failed, freed with it.
struct ExceptionInfo {
    EXCEPINFO info = {};
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    std::wstring Description() const {
        return info.bstrDescription != nullptr ? info.bstrDescription : L"";
    }
};
