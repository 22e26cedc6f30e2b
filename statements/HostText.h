#pragma once
#include <windows.h>
#include <oleauto.h>

#include "com/Bstr.h"
#include "text/CString.h"

// The wide characters of the bytes that a code page (the ANSI code page unless another is
// given) converts one at a time: every byte below 0x80, and in a single-byte code page every
// byte but NUL. Each is taken from the code page's own conversion, so a text of such bytes
// converts by this table exactly as MultiByteToWideChar converts it, without a call per text.
class CodePageCharacters {
public:
    explicit CodePageCharacters(UINT codePage = CP_ACP);

    UINT CodePage() const { return codePage_; }
    // The character of the byte, or 0 when the byte may have to be converted together with its
    // neighbours.
    wchar_t Of(char byte) const { return characters_[static_cast<unsigned char>(byte)]; }

private:
    UINT codePage_;
    wchar_t characters_[256] = {};
};

// Converts texts for the host into one BSTR that it keeps. A text handed to the host stays the
// caller's and the host copies what it keeps, so the same BSTR serves again for the next text
// of the same length, as the fixed-width fields of transactions are: no allocation per text.
class HostTextBuffer {
public:
    explicit HostTextBuffer(const CodePageCharacters& characters) : characters_(characters) {}

    // The text converted from the characters' code page, valid until the next call. Raises
    // E_OUTOFMEMORY when a BSTR cannot be allocated.
    BSTR Hold(const CString& text);
    // The same for the text that the count parts (NUL-terminated) make one after the other.
    BSTR Hold(const char* const* parts, int count);

private:
    // Converts the parts by the table into the BSTR held; false when they do not make a text of
    // its length or hold a byte the table does not convert.
    bool ConvertIntoHeld(const char* const* parts, int count);
    void Allocate(int length);

    const CodePageCharacters& characters_;
    Bstr text_;
    int length_ = 0;
};
