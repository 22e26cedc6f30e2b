#pragma once
#include <windows.h>
#include <unknwn.h>

#include <utility>

// Holds one counted reference to an interface and releases it on every path.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    // Adopts a reference the caller already owns.
    static ComPtr Adopt(Interface* owned) {
        ComPtr result;
        result.pointer_ = owned;
        return result;
    }
    // Takes a reference of its own.
    static ComPtr Share(Interface* pointer) {
        if (pointer != nullptr) {
            pointer->AddRef();
        }
        return Adopt(pointer);
    }
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
    }
    ComPtr& operator=(const ComPtr& other) {
        ComPtr copy(other);
        std::swap(pointer_, copy.pointer_);
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Out-parameter for a call that hands out a reference: releases what was held first.
    Interface** Out() {
        Reset();
        return &pointer_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    // Gives up the reference to the caller.
    Interface* Detach() { return std::exchange(pointer_, nullptr); }
    void Reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }
    // Queries the held object for another interface; an empty pointer when it has none.
    template <typename Other> ComPtr<Other> As(REFIID iid) const {
        ComPtr<Other> result;
        if (pointer_ != nullptr) {
            pointer_->QueryInterface(iid, result.OutVoid());
        }
        return result;
    }

private:
    Interface* pointer_ = nullptr;
};
