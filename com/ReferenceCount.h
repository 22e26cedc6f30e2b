#pragma once
#include <windows.h>
#include <unknwn.h>

// The one way objects of this project count their references.

// Counting for objects used only on their apartment's thread: plain counters.
struct CComSingleThreadModel {
    static ULONG Increment(LONG& value) { return static_cast<ULONG>(++value); }
    static ULONG Decrement(LONG& value) { return static_cast<ULONG>(--value); }
};

// Counting for objects any thread may reach (class objects): interlocked counters.
struct CComMultiThreadModel {
    static ULONG Increment(LONG& value) { return static_cast<ULONG>(InterlockedIncrement(&value)); }
    static ULONG Decrement(LONG& value) { return static_cast<ULONG>(InterlockedDecrement(&value)); }
};

// AddRef and Release of an object that deletes itself when its last reference goes. Base is the
// interface (or the class implementing the interfaces) the object is built on; a new object has
// no reference yet.
template <class Base, class ThreadModel = CComSingleThreadModel>
class ReferenceCounted : public Base {
public:
    ReferenceCounted(const ReferenceCounted&) = delete;
    ReferenceCounted& operator=(const ReferenceCounted&) = delete;

    STDMETHOD_(ULONG, AddRef)() override { return ThreadModel::Increment(references_); }
    STDMETHOD_(ULONG, Release)() override {
        const ULONG left = ThreadModel::Decrement(references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    template <typename... Arguments>
    explicit ReferenceCounted(Arguments&&... arguments)
        : Base(static_cast<Arguments&&>(arguments)...) {}
    virtual ~ReferenceCounted() = default;

private:
    LONG references_ = 0;
};
