#include "platform/CodePage.h"

#include <windows.h>
#include <mbstring.h>

namespace {
const unsigned char* Bytes(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}
} // namespace

int WideToNarrow(const wchar_t* text, char* target, int size) {
    return WideCharToMultiByte(CP_ACP, 0, text, -1, target, target == nullptr ? 0 : size, nullptr,
                               nullptr);
}

int CompareNarrow(const char* text, const char* other) {
    return _mbscmp(Bytes(text), Bytes(other));
}

const char* FindFirstNarrow(const char* text, char c) {
    return reinterpret_cast<const char*>(_mbschr(Bytes(text), static_cast<unsigned char>(c)));
}

const char* FindLastNarrow(const char* text, char c) {
    return reinterpret_cast<const char*>(_mbsrchr(Bytes(text), static_cast<unsigned char>(c)));
}
