#pragma once
#include <windows.h>
#include <unknwn.h>

#include <type_traits>

#include "com/ComObject.h"
#include "com/InterfaceMap.h"
#include "com/ObjectRoot.h"

// Gives a creatable class its class identifier and the creation its class factory calls:
// stand-alone without an outer object, aggregated with one.
template <class Class, const CLSID* Clsid> class CComCoClass {
public:
    static constexpr const CLSID* ClassId = Clsid;

    static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) {
        *out = nullptr;
        if (outer != nullptr) {
            CComAggObject<Class>* object = nullptr;
            HRESULT result = CComAggObject<Class>::CreateInstance(outer, &object);
            return FAILED(result) ? result : QueryNewObject(object, iid, out);
        }
        CComObject<Class>* object = nullptr;
        HRESULT result = CComObject<Class>::CreateInstance(&object);
        return FAILED(result) ? result : QueryNewObject(object, iid, out);
    }
};

// An entry of an interface list that another entry already derives from (the host interface
// below a dual interface, IDispatch) is answered through that entry: an empty stand-in takes its
// place among the bases, so that the object holds one copy of it.
template <class Entry> struct AnsweredThroughAnotherEntry {};
template <class Entry, class... Entries>
using InterfaceListBase =
    std::conditional_t<((!std::is_same_v<Entry, Entries> && std::is_base_of_v<Entry, Entries>) ||
                        ...),
                       AnsweredThroughAnotherEntry<Entry>, Entry>;

// A creatable apartment class, declared once: its class identifier and its interface list, whose
// entries are interfaces or the templates implementing them. The list is at once the class's
// bases (after CComObjectRootEx and CComCoClass) and its interface map, in the same order, so the
// first entry's interface is the object's identity. For example
//     class CBank : public CoClass<CBank, &CLSID_Bank, IBankImpl<CBankServices, IBank>,
//                                  IVelmoraBank, IDispatch, ISupportErrorInfoImpl<IBank>>
// answers IBank, IVelmoraBank and IDispatch with the dual interface, and ISupportErrorInfo.
template <class Derived, const CLSID* Clsid, class... Entries>
class CoClass : public CComObjectRootEx<CComSingleThreadModel>,
                public CComCoClass<Derived, Clsid>,
                public InterfaceListBase<Entries, Entries...>... {
public:
    HRESULT InternalQueryInterface(REFIID iid, void** out) {
        return FindListedInterface<Derived, Entries...>(static_cast<Derived*>(this), iid, out);
    }
};
