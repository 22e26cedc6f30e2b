#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <type_traits>

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

// The interface an entry of a class's interface list answers: an implementation template names
// it as its AnsweredInterface (IDispatchImpl, ISupportErrorInfoImpl); any other entry is an
// interface and answers for itself.
template <class Entry, class = void> struct AnsweredInterfaceOf { using Type = Entry; };
template <class Entry>
struct AnsweredInterfaceOf<Entry, std::void_t<typename Entry::AnsweredInterface>> {
    using Type = typename Entry::AnsweredInterface;
};

// Looks an identifier up in the interface map that a class's interface list makes: one entry per
// listed entry, in list order.
template <class Class, class... Entries>
HRESULT FindListedInterface(Class* object, REFIID iid, void** out) {
    static const ComInterfaceEntry<Class> map[] = {
        InterfaceEntry<Class, typename AnsweredInterfaceOf<Entries>::Type>()...};
    return FindInterface(object, map, iid, out);
}
