#pragma once
#include <windows.h>
#include <oaidl.h>

#include "bank/CArray.h"
#include "bank/CorvaneDispatch.h"
#include "bank/EnumVariantArray.h"
#include "bank/KeyLookup.h"
#include "com/ComPtr.h"
#include "hostcall/ErrorGuard.h"

// A collection of the host's objects behind the dual interface Interface: Item by position or by
// name, Count and an enumerator. Each stored pointer holds one reference to its element.
template <class Element, class Interface> class CListImpl : public CorvaneDispatch<Interface> {
public:
    CListImpl() : items_(ListGrowBy) {}
    CListImpl(const CListImpl&) = delete;
    CListImpl& operator=(const CListImpl&) = delete;
    virtual ~CListImpl() { RemoveAll(); }

    STDMETHOD(Item)(VARIANT* key, Element** item) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(item);
            *item = nullptr;
            long index = FindIndex(key);
            if (index < 0) {
                throw static_cast<long>(E_INVALIDARG);
            }
            *item = ComPtr<Element>::Share(items_[index]).Detach();
            return S_OK;
        });
    }

    STDMETHOD(get_Count)(long* count) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(count);
            *count = items_.GetCount();
            return S_OK;
        });
    }

    // A new enumerator at the first element. Its allocation failing is reported by the
    // allocator's own exception, which the guard gives back as E_UNEXPECTED.
    STDMETHOD(get_NewEnum)(IUnknown** enumerator) override {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(enumerator);
            IUnknown* self = static_cast<Interface*>(this);
            auto* created = new CEnumVariantArray<Element>(items_, ComPtr<IUnknown>::Share(self));
            created->AddRef();
            *enumerator = created;
            return S_OK;
        });
    }

    // Appends an element, taking a reference to it; used while the list is built.
    virtual HRESULT Add(Element* item) {
        return MethodErrorGuard([&]() -> HRESULT {
            RequireArgument(item);
            items_.Add(item);
            item->AddRef();
            return S_OK;
        });
    }

    // Releases every element, last first, and frees the storage.
    virtual void RemoveAll() {
        for (int i = items_.GetCount() - 1; i >= 0; --i) {
            items_[i]->Release();
        }
        items_.RemoveAll();
    }

    static constexpr int ListGrowBy = 8;

protected:
    // The position a key selects (KeyLookup.h), or -1.
    long FindIndex(const VARIANT* key) const {
        return FindKeyIndex(key, items_.GetCount(), [this](int index, BSTR* name) {
            return items_[index]->get_Name(name);
        });
    }

private:
    CArray<Element*, Element*> items_;
};
