#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

// One interface a class answers in QueryInterface: its identifier and how to reach it from the
// object.
template <class Class> struct ComInterfaceEntry {
    const IID* iid;
    IUnknown* (*reach)(Class* object);
};

template <class Class, class Interface> constexpr ComInterfaceEntry<Class> InterfaceEntry() {
    return {&__uuidof(Interface),
            [](Class* object) -> IUnknown* { return static_cast<Interface*>(object); }};
}

// Looks an identifier up in a class's interface map. IUnknown is answered by the first entry, so
// that every query for it gives the same pointer. No reference is added: the object wrapper adds
// it through the interface found, so that a contained object counts on its outer object.
template <class Class, std::size_t Count>
HRESULT FindInterface(Class* object, const ComInterfaceEntry<Class> (&map)[Count], REFIID iid,
                      void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown)) {
        *out = map[0].reach(object);
        return S_OK;
    }
    for (const ComInterfaceEntry<Class>& entry : map) {
        if (InlineIsEqualGUID(iid, *entry.iid)) {
            *out = entry.reach(object);
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}
