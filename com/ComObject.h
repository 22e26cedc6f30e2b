#pragma once
#include <windows.h>
#include <unknwn.h>

#include <new>

#include "com/ModuleLock.h"
#include "com/ReferenceCount.h"

// The object wrappers that give a component class its IUnknown. The class (Base) derives from
// CComObjectRootEx and its interfaces and has
//     HRESULT InternalQueryInterface(REFIID iid, void** out);
// which looks the identifier up without adding a reference (CoClass.h makes it from the class's
// interface list).

// Adds the caller's reference to an interface found by InternalQueryInterface, through that
// interface, so that it reaches whichever IUnknown governs the object's life.
inline HRESULT AddFoundReference(HRESULT found, void** out) {
    if (SUCCEEDED(found)) {
        static_cast<IUnknown*>(*out)->AddRef();
    }
    return found;
}

// Queries a new object that nobody references yet: the object is destroyed when the query fails.
template <class Object> HRESULT QueryNewObject(Object* object, REFIID iid, void** out) {
    object->AddRef();
    HRESULT result = object->QueryInterface(iid, out);
    object->Release();
    return result;
}

// A stand-alone object: its own reference count, and a module lock for its lifetime.
template <class Base>
class CComObject final : public ReferenceCounted<Base, typename Base::ThreadModel> {
public:
    CComObject() { LockModule(); }
    ~CComObject() override { UnlockModule(); }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        return AddFoundReference(this->InternalQueryInterface(iid, out), out);
    }

    // A new object with no reference yet: E_OUTOFMEMORY, or the failure of its FinalConstruct
    // (the object is then destroyed).
    static HRESULT CreateInstance(CComObject** out) {
        *out = nullptr;
        CComObject* object = new (std::nothrow) CComObject();
        if (object == nullptr) {
            return E_OUTOFMEMORY;
        }
        HRESULT result = object->FinalConstruct();
        if (FAILED(result)) {
            delete object;
            return result;
        }
        *out = object;
        return S_OK;
    }
};

// The class inside an aggregate: every IUnknown call goes to the outer (controlling) object.
template <class Base> class CComContainedObject final : public Base {
public:
    explicit CComContainedObject(IUnknown* outer) : outer_(outer) {}
    CComContainedObject(const CComContainedObject&) = delete;
    CComContainedObject& operator=(const CComContainedObject&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        return outer_->QueryInterface(iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return outer_->AddRef(); }
    STDMETHOD_(ULONG, Release)() override { return outer_->Release(); }

private:
    IUnknown* outer_;
};

// An object created inside an aggregate. This is the inner, non-delegating IUnknown that only the
// outer object holds; it counts its own references and answers IUnknown with itself, and every
// other interface with the contained class, whose references count on the outer object.
template <class Base>
class CComAggObject final : public ReferenceCounted<IUnknown, typename Base::ThreadModel> {
public:
    explicit CComAggObject(IUnknown* outer) : contained_(outer) { LockModule(); }
    ~CComAggObject() override { UnlockModule(); }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (InlineIsEqualGUID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(this);
            this->AddRef();
            return S_OK;
        }
        return AddFoundReference(contained_.InternalQueryInterface(iid, out), out);
    }

    // As CComObject::CreateInstance, inside the given outer object.
    static HRESULT CreateInstance(IUnknown* outer, CComAggObject** out) {
        *out = nullptr;
        CComAggObject* object = new (std::nothrow) CComAggObject(outer);
        if (object == nullptr) {
            return E_OUTOFMEMORY;
        }
        HRESULT result = object->contained_.FinalConstruct();
        if (FAILED(result)) {
            delete object;
            return result;
        }
        *out = object;
        return S_OK;
    }

private:
    CComContainedObject<Base> contained_;
};
