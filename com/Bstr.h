#pragma once
#include <windows.h>
#include <oleauto.h>

// Owns one BSTR and frees it on every path.
class Bstr {
public:
    Bstr() = default;
    // Takes ownership of a BSTR the caller allocated.
    explicit Bstr(BSTR owned) : text_(owned) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(other.Release()) {}
    Bstr& operator=(Bstr&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    // A new BSTR copied from wide text; throws E_OUTOFMEMORY when it cannot be allocated.
    static Bstr Copy(const wchar_t* text);

    BSTR Get() const { return text_; }
    // Out-parameter for a call that hands out a BSTR: frees what was held first.
    BSTR* Out() {
        Reset();
        return &text_;
    }
    // Gives up ownership.
    BSTR Release() {
        BSTR text = text_;
        text_ = nullptr;
        return text;
    }
    void Reset(BSTR owned = nullptr) {
        SysFreeString(text_);
        text_ = owned;
    }
    // Characters before the end (a null BSTR is empty).
    UINT Length() const { return SysStringLen(text_); }
    bool Empty() const { return Length() == 0; }

private:
    BSTR text_ = nullptr;
};
