#include "statements/HostText.h"

BSTR HostTextBuffer::Hold(const CString& text) {
    const int length = text.Length();
    // In a single-byte code page the text converts into as many characters as it has bytes,
    // straight into the BSTR of the text before.
    if (text_.Get() != nullptr && static_cast<int>(text_.Length()) == length &&
        (length == 0 ||
         MultiByteToWideChar(CP_ACP, 0, text.Text(), length, text_.Get(), length) == length)) {
        return text_.Get();
    }
    const int wideLength =
        length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text.Text(), length, nullptr, 0);
    text_.Reset(SysAllocStringLen(nullptr, static_cast<UINT>(wideLength)));
    if (text_.Get() == nullptr) {
        throw static_cast<long>(E_OUTOFMEMORY);
    }
    if (wideLength > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.Text(), length, text_.Get(), wideLength);
    }
    return text_.Get();
}
