// A module linked like the component, whose static object throws and catches an exception while
// it is constructed and again while it is destroyed. bank_tests loads it beside the shared GCC
// runtime: its unwind tables must be reachable before its first static constructor runs and
// until its last static destructor has run, or the throw ends the process.
#include <windows.h>

#include <stdexcept>

namespace {

__attribute__((noinline)) void Throw() {
    throw std::runtime_error("thrown inside the module");
}

bool ThrowAndCatch() {
    try {
        Throw();
    } catch (const std::runtime_error&) {
        return true;
    }
    return false;
}

struct ThrowingStaticObject {
    ThrowingStaticObject() : caught(ThrowAndCatch()) {}
    ~ThrowingStaticObject() { ThrowAndCatch(); }
    bool caught;
};

const ThrowingStaticObject staticObject;

} // namespace

extern "C" __declspec(dllexport) BOOL CaughtWhileConstructed() {
    return staticObject.caught;
}
