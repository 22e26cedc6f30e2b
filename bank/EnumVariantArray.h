#pragma once
#include <windows.h>
#include <oaidl.h>

#include <new>

#include "bank/CArray.h"
#include "com/ComPtr.h"
#include "com/ReferenceCount.h"

// An Automation enumerator over a list's array of interface pointers: hands each element out as
// an IDispatch in a VARIANT. It reads the live array at every call and holds a reference to the
// list that owns the array, so an enumerator that outlives the list's other holders stays safe.
template <class Element> class CEnumVariantArray final : public ReferenceCounted<IEnumVARIANT> {
public:
    using ElementArray = CArray<Element*, Element*>;

    CEnumVariantArray(const ElementArray& array, ComPtr<IUnknown> owner, long position = 0)
        : array_(&array), position_(position), owner_(std::move(owner)) {}

    // The identifier is looked at before the out-pointer: an unknown one is refused even
    // without a place to put the answer.
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (!InlineIsEqualGUID(iid, IID_IUnknown) && !InlineIsEqualGUID(iid, IID_IEnumVARIANT)) {
            if (out != nullptr) {
                *out = nullptr;
            }
            return E_NOINTERFACE;
        }
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }

    STDMETHOD(Next)(ULONG wanted, VARIANT* entries, ULONG* fetched) override {
        if (fetched != nullptr) {
            *fetched = 0;
        }
        if (wanted > 0 && entries == nullptr) {
            return E_POINTER;
        }
        for (ULONG i = 0; i < wanted; ++i) {
            VariantInit(&entries[i]);
        }
        ULONG handedOut = 0;
        while (handedOut < wanted && position_ < array_->GetCount()) {
            VARIANT& entry = entries[handedOut];
            if (FAILED((*array_)[position_]->QueryInterface(
                    IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(&entry))))) {
                break;
            }
            V_VT(&entry) = VT_DISPATCH;
            ++handedOut;
            ++position_;
            if (fetched != nullptr) {
                *fetched = handedOut;
            }
        }
        return handedOut < wanted ? S_FALSE : S_OK;
    }

    STDMETHOD(Skip)(ULONG count) override {
        if (count > static_cast<ULONG>(array_->GetCount() - position_)) {
            return S_FALSE;
        }
        position_ += static_cast<long>(count);
        return S_OK;
    }

    STDMETHOD(Reset)() override {
        position_ = 0;
        return S_OK;
    }

    STDMETHOD(Clone)(IEnumVARIANT** out) override {
        CEnumVariantArray* clone = new (std::nothrow) CEnumVariantArray(*array_, owner_, position_);
        if (clone == nullptr) {
            return E_OUTOFMEMORY;
        }
        clone->AddRef();
        HRESULT result = clone->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(out));
        clone->Release();
        return result;
    }

private:
    ~CEnumVariantArray() override = default;

    const ElementArray* array_;
    long position_;
    ComPtr<IUnknown> owner_;
};
