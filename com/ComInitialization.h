#pragma once
#include <windows.h>
#include <objbase.h>

// Makes sure COM is initialised on this thread for the holder's lifetime, and undoes only what it
// did itself: a thread already in an apartment of either kind keeps it.
class ScopedComInitialization {
public:
    ScopedComInitialization()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ScopedComInitialization() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ScopedComInitialization(const ScopedComInitialization&) = delete;
    ScopedComInitialization& operator=(const ScopedComInitialization&) = delete;

private:
    bool initialised_;
};
