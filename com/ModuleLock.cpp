#include "com/ModuleLock.h"

namespace {
// Objects live on their apartment's thread, but class objects and LockServer may be reached from
// any thread, so only this count is interlocked.
LONG lockCount = 0;
} // namespace

void LockModule() {
    InterlockedIncrement(&lockCount);
}

void UnlockModule() {
    InterlockedDecrement(&lockCount);
}

LONG ModuleLockCount() {
    return InterlockedCompareExchange(&lockCount, 0, 0);
}
