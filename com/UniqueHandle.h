#pragma once
#include <utility>

// Owns one handle of a kind that Release gives back to the system (a registry key, a loaded
// library): released on every path and never copied; null when it holds none.
template <class Handle, auto Release> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    // Where a call that opens a handle writes it; the one held before is released first.
    Handle* Out() {
        Reset();
        return &handle_;
    }

private:
    void Reset() {
        if (handle_ != nullptr) {
            Release(std::exchange(handle_, nullptr));
        }
    }

    Handle handle_ = nullptr;
};
