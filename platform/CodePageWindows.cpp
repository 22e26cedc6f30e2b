#include "platform/CodePage.h"

#include <windows.h>
#include <mbstring.h>

#include <climits>
#include <cwchar>

namespace {
const unsigned char* Bytes(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}
} // namespace

int WideToNarrow(const wchar_t* text, char* target, int size) {
    return WideCharToMultiByte(CP_ACP, 0, text, -1, target, target == nullptr ? 0 : size, nullptr,
                               nullptr);
}

int WideToNarrowPath(const wchar_t* path, char* target, int size) {
    const int targetSize = target == nullptr ? 0 : size;
    if (GetACP() == CP_UTF8) {
        // There every character has its exact form, a broken surrogate pair none (refused);
        // the code page takes no other flags.
        return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, path, -1, target, targetSize,
                                   nullptr, nullptr);
    }
    // Without best fit, a character the code page lacks becomes its default character instead.
    BOOL defaultUsed = FALSE;
    const int converted = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, target,
                                              targetSize, nullptr, &defaultUsed);
    return defaultUsed ? 0 : converted;
}

std::string WideToNarrowPath(const wchar_t* path) {
    CPINFO codePage = {};
    const size_t widest = GetCPInfo(CP_ACP, &codePage) ? codePage.MaxCharSize : MB_LEN_MAX;
    std::string narrow((std::wcslen(path) + 1) * widest, '\0');
    const int converted = WideToNarrowPath(path, narrow.data(), static_cast<int>(narrow.size()));
    narrow.resize(converted > 0 ? static_cast<size_t>(converted - 1) : 0);
    return narrow;
}

std::wstring NarrowToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
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
