#include "hostkit/TextConversion.h"

#include <oleauto.h>

#include <cstdio>
#include <stdexcept>

namespace {

std::wstring WideFromCodePage(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length == 0) {
        throw std::invalid_argument("text is not in the expected encoding");
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::string NarrowToCodePage(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring WideFromUtf8(std::string_view text) {
    return WideFromCodePage(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::string Utf8FromWide(std::wstring_view text) {
    return NarrowToCodePage(CP_UTF8, text);
}

std::string AnsiFromWide(std::wstring_view text) {
    return NarrowToCodePage(CP_ACP, text);
}

std::wstring WideFromAnsi(std::string_view text) {
    return WideFromCodePage(CP_ACP, 0, text);
}

std::wstring WideFromBstr(BSTR text) {
    return text == nullptr ? std::wstring() : std::wstring(text, SysStringLen(text));
}

HRESULT HandOutText(std::wstring_view text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

std::string HexResult(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}
