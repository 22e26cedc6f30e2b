#pragma once
#include <windows.h>
#include <unknwn.h>

#include "com/ReferenceCount.h"

// Creates an object of one class: stand-alone, or aggregated when outer is given.
using ObjectCreator = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

// The class object of one class. The module caches one per class and holds the first reference
// to it; every further reference is a client's and locks the module.
class CComClassFactory final : public ReferenceCounted<IClassFactory, CComMultiThreadModel> {
public:
    explicit CComClassFactory(ObjectCreator creator) : creator_(creator) {}

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHOD(LockServer)(BOOL lock) override;

private:
    using Counted = ReferenceCounted<IClassFactory, CComMultiThreadModel>;
    ~CComClassFactory() override = default;

    ObjectCreator creator_;
};
