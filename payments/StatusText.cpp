#include "payments/StatusText.h"

#include "com/ModuleInstance.h"

namespace {
constexpr unsigned long HighestStatusCode = 35;
constexpr UINT FirstStatusMessageId = 300;
} // namespace

bool LoadStatusText(long code, CString& text) {
    // Compared unsigned, so that negative codes count as out of range.
    if (static_cast<unsigned long>(code) > HighestStatusCode) {
        return false;
    }
    return text.LoadResourceText(ModuleInstance(), FirstStatusMessageId + static_cast<UINT>(code));
}

HRESULT WritePaymentStatusText(long code, BSTR* text) {
    if (text == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    CString message;
    if (LoadStatusText(code, message)) {
        BSTR copy = message.ToBstr();
        if (copy == nullptr) {
            throw static_cast<long>(E_OUTOFMEMORY);
        }
        *text = copy;
    }
    return S_OK;
}
