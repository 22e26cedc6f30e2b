#include "statements/HostText.h"

CodePageCharacters::CodePageCharacters(UINT codePage) : codePage_(codePage) {
    CPINFO information = {};
    const bool singleByte = GetCPInfo(codePage, &information) && information.MaxCharSize == 1;
    // Where a character may take several bytes, bytes from 0x80 on may begin or continue one.
    const int lastByte = singleByte ? 0xFF : 0x7F;
    for (int byte = 1; byte <= lastByte; ++byte) {
        const char narrow = static_cast<char>(byte);
        wchar_t wide[2] = {};
        if (MultiByteToWideChar(codePage, 0, &narrow, 1, wide, 2) == 1) {
            characters_[byte] = wide[0];
        }
    }
}

BSTR HostTextBuffer::Hold(const CString& text) {
    const char* parts[] = {text.Text()};
    return Hold(parts, 1);
}

BSTR HostTextBuffer::Hold(const char* const* parts, int count) {
    if (ConvertIntoHeld(parts, count)) {
        return text_.Get();
    }
    CString joined;
    for (int part = 0; part < count; ++part) {
        joined.Append(parts[part]);
    }
    const int length = joined.Length();
    bool byTable = true;
    for (int index = 0; index < length && byTable; ++index) {
        byTable = characters_.Of(joined.Text()[index]) != L'\0';
    }
    if (byTable) {
        Allocate(length);
        ConvertIntoHeld(parts, count);
        return text_.Get();
    }
    const UINT codePage = characters_.CodePage();
    const int wideLength = MultiByteToWideChar(codePage, 0, joined.Text(), length, nullptr, 0);
    Allocate(wideLength);
    if (wideLength > 0) {
        MultiByteToWideChar(codePage, 0, joined.Text(), length, text_.Get(), wideLength);
    }
    return text_.Get();
}

bool HostTextBuffer::ConvertIntoHeld(const char* const* parts, int count) {
    wchar_t* const wide = text_.Get();
    if (wide == nullptr) {
        return false;
    }
    int position = 0;
    for (int part = 0; part < count; ++part) {
        for (const char* next = parts[part]; *next != '\0'; ++next) {
            const wchar_t character = characters_.Of(*next);
            if (character == L'\0' || position == length_) {
                return false;
            }
            wide[position++] = character;
        }
    }
    return position == length_;
}

void HostTextBuffer::Allocate(int length) {
    text_.Reset(SysAllocStringLen(nullptr, static_cast<UINT>(length)));
    length_ = text_.Get() != nullptr ? length : 0;
    if (text_.Get() == nullptr) {
        throw static_cast<long>(E_OUTOFMEMORY);
    }
}
