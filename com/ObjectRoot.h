#pragma once
#include <windows.h>
#include <unknwn.h>

#include "com/ReferenceCount.h"

// First base of every component class: the construction step that may fail. The object
// wrappers (ComObject.h) supply IUnknown and the reference count on top of it; ThreadModel names
// how the class's objects are reached.
template <class Model> class CComObjectRootEx {
public:
    using ThreadModel = Model;

    // Runs once the object is fully built; a failure destroys the object and becomes the result
    // of its creation. Classes with work to do declare their own.
    HRESULT FinalConstruct() { return S_OK; }
};
