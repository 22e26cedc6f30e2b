#include "text/CString.h"

#include <cstdarg>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/CodePage.h"

namespace {

// The length of a text of count bytes as a string holds it: its length and capacity are ints,
// so a longer text is refused as an allocation that cannot be made.
int HeldLength(size_t count) {
    if (count > static_cast<size_t>(INT_MAX)) {
        throw static_cast<long>(E_OUTOFMEMORY);
    }
    return static_cast<int>(count);
}

char* AllocateText(int count) {
    char* buffer = new (std::nothrow) char[static_cast<size_t>(count) + 1];
    if (buffer == nullptr) {
        throw static_cast<long>(E_OUTOFMEMORY);
    }
    return buffer;
}

// Moves count bytes first to last, which is right unless the target starts inside the source:
// for separate texts, a text moving to the front of its own buffer and a text appended behind
// itself. Field-sized texts are moved here word by word; calling the runtime's memmove costs
// more than such a move itself.
void MoveBytes(char* target, const char* source, int count) {
    constexpr int LongestShortMove = 64;
    if (count > LongestShortMove) {
        std::memmove(target, source, static_cast<size_t>(count));
        return;
    }
    for (; count >= 4; count -= 4, source += 4, target += 4) {
        std::uint32_t word;
        std::memcpy(&word, source, sizeof word);
        std::memcpy(target, &word, sizeof word);
    }
    for (; count > 0; --count) {
        *target++ = *source++;
    }
}

// Narrow text of a wide string in the ANSI code page; a null pointer is the empty text.
CString NarrowFromWide(const wchar_t* text) {
    CString result;
    if (text == nullptr || *text == L'\0') {
        return result;
    }
    const int size = WideToNarrow(text, nullptr, 0);
    if (size <= 1) {
        return result;
    }
    result.Reserve(size - 1);
    char* target = const_cast<char*>(result.Text());
    WideToNarrow(text, target, size);
    return result;
}

} // namespace

CString::CString(const CString& other) {
    Assign(other);
}

CString::CString(const char* text) {
    Assign(text);
}

CString::CString(const wchar_t* text) {
    Assign(text);
}

CString::~CString() {
    Clear();
}

CString& CString::operator=(const CString& other) {
    Assign(other);
    return *this;
}

CString& CString::operator=(const char* text) {
    Assign(text);
    return *this;
}

CString& CString::operator=(const wchar_t* text) {
    Assign(text);
    return *this;
}

void CString::Assign(const CString& other) {
    if (this == &other) {
        return;
    }
    const int length = other.Length();
    Reserve(length);
    CopyIn(other.Text(), length);
}

void CString::Assign(const char* text) {
    if (text == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    AssignCounted(text, HeldLength(std::strlen(text)));
}

void CString::AssignCounted(const char* text, int count) {
    if (count < 0 || (text == nullptr && count > 0)) {
        throw static_cast<long>(E_INVALIDARG);
    }
    // Part of this very text stays in place: the buffer is large enough, the bytes only move.
    const bool ownText = buffer_ != nullptr && text >= buffer_ && text <= buffer_ + capacity_;
    if (!ownText) {
        Reserve(count);
    }
    CopyIn(text, count);
}

void CString::Assign(const wchar_t* text) {
    Assign(NarrowFromWide(text));
}

void CString::Append(const CString& other) {
    AppendBytes(other.Text(), other.Length());
}

void CString::Append(const char* text) {
    if (text == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    AppendBytes(text, HeldLength(std::strlen(text)));
}

void CString::Append(const wchar_t* text) {
    if (text == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    Append(NarrowFromWide(text));
}

CString& CString::operator+=(const CString& other) {
    Append(other);
    return *this;
}

CString& CString::operator+=(const char* text) {
    Append(text);
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    Append(text);
    return *this;
}

CString CString::operator+(const char* text) const {
    CString result(*this);
    result.Append(text);
    return result;
}

char CString::CharAt(int index) const {
    if (index < 0 || index >= Length()) {
        throw static_cast<long>(E_INVALIDARG);
    }
    return buffer_[index];
}

int CString::CompareTo(const char* text) const {
    if (text == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    return CompareNarrow(Text(), text);
}

int CString::FindFirst(char c) const {
    if (Length() == 0 || c == '\0') {
        return -1;
    }
    const char* found = FindFirstNarrow(buffer_, c);
    return found == nullptr ? -1 : static_cast<int>(found - buffer_);
}

int CString::FindLast(char c) const {
    if (Length() == 0 || c == '\0') {
        return -1;
    }
    const char* found = FindLastNarrow(buffer_, c);
    return found == nullptr ? -1 : static_cast<int>(found - buffer_);
}

CString CString::Slice(int start, int count) const {
    const int length = Length();
    if (start < 0 || start > length || count < 0) {
        throw static_cast<long>(E_INVALIDARG);
    }
    if (count > length - start) {
        count = length - start;
    }
    CString result;
    result.Assign(Text() + start, count);
    return result;
}

CString CString::Head(int count) const {
    if (count < 0) {
        throw static_cast<long>(E_INVALIDARG);
    }
    return Slice(0, count);
}

CString CString::Tail(int count) const {
    if (count < 0) {
        throw static_cast<long>(E_INVALIDARG);
    }
    const int length = Length();
    if (count > length) {
        count = length;
    }
    return Slice(length - count, count);
}

void CString::FormatText(const char* format, ...) {
    if (format == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    char formatted[WorkingBufferSize] = {};
    va_list arguments;
    va_start(arguments, format);
    // Bounded: a longer result is cut to 255 characters rather than overrunning the buffer.
    std::vsnprintf(formatted, sizeof formatted, format, arguments);
    va_end(arguments);
    Assign(formatted);
}

void CString::Reserve(int count) {
    if (count < 0) {
        throw static_cast<long>(E_INVALIDARG);
    }
    if (count <= capacity_) {
        return;
    }
    Clear();
    buffer_ = AllocateText(count);
    buffer_[0] = '\0';
    capacity_ = count;
}

void CString::Clear() {
    delete[] buffer_;
    buffer_ = nullptr;
    capacity_ = 0;
}

void CString::CopyIn(const char* source, int count) {
    if (count > capacity_ || (source == nullptr && count > 0)) {
        throw static_cast<long>(E_INVALIDARG);
    }
    MoveBytes(buffer_, source, count);
    if (buffer_ != nullptr) {
        buffer_[count] = '\0';
    }
}

void CString::AppendBytes(const char* source, int count) {
    if (count == 0) {
        return;
    }
    if (source == nullptr) {
        throw static_cast<long>(E_INVALIDARG);
    }
    const int length = Length();
    // Both are ints, so their sum cannot wrap a size_t, even of 32 bits.
    const int grownLength = HeldLength(static_cast<size_t>(length) + static_cast<size_t>(count));
    if (grownLength > capacity_) {
        // The source may be this very text: copy it before the old buffer goes.
        char* grown = AllocateText(grownLength);
        std::memcpy(grown, Text(), static_cast<size_t>(length));
        std::memcpy(grown + length, source, static_cast<size_t>(count));
        grown[grownLength] = '\0';
        delete[] buffer_;
        buffer_ = grown;
        capacity_ = grownLength;
        return;
    }
    MoveBytes(buffer_ + length, source, count);
    buffer_[grownLength] = '\0';
}
