#pragma once
#include <windows.h>
#include <unknwn.h>

// Reference counting of objects used only on their apartment's thread: plain counters.
struct CComSingleThreadModel {
    static ULONG Increment(LONG& value) { return static_cast<ULONG>(++value); }
    static ULONG Decrement(LONG& value) { return static_cast<ULONG>(--value); }
};

// First base of every component class: its reference count and the construction step that may
// fail. The object wrappers (ComObject.h) supply IUnknown on top of it.
template <class ThreadModel> class CComObjectRootEx {
public:
    // Runs once the object is fully built; a failure destroys the object and becomes the result
    // of its creation. Classes with work to do declare their own.
    HRESULT FinalConstruct() { return S_OK; }

protected:
    ULONG InternalAddRef() { return ThreadModel::Increment(referenceCount_); }
    ULONG InternalRelease() { return ThreadModel::Decrement(referenceCount_); }

private:
    LONG referenceCount_ = 0;
};
