#pragma once
// The component's narrow (ANSI code page) string. It owns a buffer sized exactly to what was
// asked of it: growing allocates exactly, shrinking keeps the buffer. Failures are thrown as a
// long holding an HRESULT: E_INVALIDARG for bad arguments, E_OUTOFMEMORY when allocation fails
// or a text would be longer than INT_MAX bytes, which the string refuses before it changes.
// Loading from a string table and converting to a BSTR are the DLL's alone (CStringWindows.cpp).
#include "platform/Platform.h"

#include <cstring>

class CString {
public:
    CString() = default;
    CString(const CString& other);
    CString(const char* text);
    CString(const wchar_t* text);
    virtual ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator=(const wchar_t* text);

    void Assign(const CString& other);
    void Assign(const char* text);
    // The first count bytes of text, which holds at least that many.
    void Assign(const char* text, int count) {
        // A text that fits the buffer and lies outside it is copied here: with a count known
        // where this is called, as for the fields of a line, the copy is a few moves.
        if (buffer_ != nullptr && text != nullptr && count >= 0 && count <= capacity_ &&
            (text + count <= buffer_ || text > buffer_ + capacity_)) {
            std::memcpy(buffer_, text, static_cast<size_t>(count));
            buffer_[count] = '\0';
            return;
        }
        AssignCounted(text, count);
    }
    // A null wide pointer assigns the empty text.
    void Assign(const wchar_t* text);

    void Append(const CString& other);
    void Append(const char* text);
    void Append(const wchar_t* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(const wchar_t* text);
    CString operator+(const char* text) const;

    // Bytes before the first NUL, counted afresh.
    int Length() const { return buffer_ == nullptr ? 0 : static_cast<int>(std::strlen(buffer_)); }
    // Bytes the buffer holds before its terminator; 0 while there is no buffer.
    int Capacity() const { return capacity_; }
    char CharAt(int index) const;
    char operator[](int index) const { return CharAt(index); }
    // Never null: an empty string yields a static empty text.
    const char* Text() const { return buffer_ == nullptr ? "" : buffer_; }

    // Code-page aware comparison (_mbscmp): below, equal to or above 0.
    int CompareTo(const char* text) const;
    bool operator==(const CString& other) const { return CompareTo(other.Text()) == 0; }
    bool operator!=(const CString& other) const { return !(*this == other); }

    // Offset of the first or last occurrence of a character, or -1.
    int FindFirst(char c) const;
    int FindLast(char c) const;

    // count is cut at the end of the text; start must lie within 0..Length().
    CString Slice(int start, int count) const;
    CString Head(int count) const;
    CString Tail(int count) const;

    // printf-style; the result is cut to 255 characters.
    void FormatText(const char* format, ...);
#ifdef _WIN32
    // Loads a string-table entry (cut to 255 characters); false when it is missing or empty.
    bool LoadResourceText(HINSTANCE module, UINT id);
    // A new BSTR converted from the ANSI code page, or null when it cannot be allocated.
    BSTR ToBstr() const;
#endif

    // Makes room for count bytes; a larger buffer replaces the old one and loses its contents.
    void Reserve(int count);
    // Releases the buffer.
    void Clear();

    // Working buffer size of FormatText and LoadResourceText, terminator included.
    static constexpr int WorkingBufferSize = 256;

private:
    void AssignCounted(const char* text, int count);
    void CopyIn(const char* source, int count);
    void AppendBytes(const char* source, int count);

    char* buffer_ = nullptr;
    int capacity_ = 0;
};
