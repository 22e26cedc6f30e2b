#include "hostkit/Utf8Decoding.h"

#include <cstdint>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the sequence at text[at], moving at past it; false when there is none.
bool NextCodePoint(std::string_view text, size_t& at, std::uint32_t& codePoint) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    int continuations = 0;
    std::uint32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        codePoint = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        codePoint = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        codePoint = lead & 0x07u;
        least = 0x10000;
    } else {
        return false;
    }
    if (text.size() - at - 1 < static_cast<size_t>(continuations)) {
        return false;
    }
    for (int i = 1; i <= continuations; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte)) {
            return false;
        }
        codePoint = codePoint << 6 | (byte & 0x3Fu);
    }
    at += 1 + continuations;
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint >= least && codePoint <= 0x10FFFF && !surrogate;
}

} // namespace

bool DecodeUtf8(std::string_view text, std::wstring& units) {
    std::wstring decoded;
    for (size_t at = 0; at < text.size();) {
        std::uint32_t codePoint = 0;
        if (!NextCodePoint(text, at, codePoint)) {
            return false;
        }
        if (codePoint < 0x10000) {
            decoded += static_cast<wchar_t>(codePoint);
        } else {
            codePoint -= 0x10000;
            decoded += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
            decoded += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
        }
    }
    units = decoded;
    return true;
}
