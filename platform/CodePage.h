#pragma once
// The narrow text calls of the ANSI code page: WideCharToMultiByte and the _mbs functions in
// the DLL, the Latin-1 stand-ins (platform/Latin1Text.h) in the native build.
#include <string>

// Converts the wide text (NUL-terminated) into target, which has room for size bytes, the
// terminator included; with a null target only counts. Returns the bytes of the whole
// conversion, terminator included, or 0 when it fails.
int WideToNarrow(const wchar_t* text, char* target, int size);

#ifdef _WIN32
// The same for a text that names a file, the DLL's alone: 0 as well when a character has no
// exact form in the code page, since the look-alike that WideToNarrow puts in its place (A for
// U+0100, the ASCII letter for a full-width one) would name another file.
int WideToNarrowPath(const wchar_t* path, char* target, int size);

// The same into a text with room for the code page's widest characters, however long the path;
// empty when it has no exact form.
std::string WideToNarrowPath(const wchar_t* path);

// The text of the code page in wide characters, NULs inside it included, for the wide dialogs.
std::wstring NarrowToWide(const std::string& text);
#endif

// Below, equal to or above 0 as the first text sorts before, with or after the second.
int CompareNarrow(const char* text, const char* other);

// The first or last occurrence of a (non-NUL) byte in the text, or null.
const char* FindFirstNarrow(const char* text, char c);
const char* FindLastNarrow(const char* text, char c);
