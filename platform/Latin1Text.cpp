#include "platform/Latin1Text.h"

#include <cwchar>

namespace {
char Latin1Byte(wchar_t c) {
    const bool shared = c < 0x80 || (c >= 0xA0 && c <= 0xFF);
    return shared ? static_cast<char>(static_cast<unsigned char>(c)) : '?';
}
} // namespace

int Latin1FromWide(const wchar_t* text, char* target, int size) {
    if (text == nullptr) {
        return 0;
    }
    const int needed = static_cast<int>(std::wcslen(text)) + 1;
    if (target == nullptr) {
        return needed;
    }
    if (size < needed) {
        return 0;
    }
    for (int index = 0; index < needed; ++index) {
        target[index] = Latin1Byte(text[index]);
    }
    return needed;
}
