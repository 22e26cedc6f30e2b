#pragma once
#include <windows.h>
#include <unknwn.h>

#include "com/ComObject.h"

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
