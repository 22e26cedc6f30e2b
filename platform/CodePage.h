#pragma once
// The narrow text calls of the ANSI code page: WideCharToMultiByte and the _mbs functions in
// the DLL, the Latin-1 stand-ins (platform/Latin1Text.h) in the native build.

// Converts the wide text (NUL-terminated) into target, which has room for size bytes, the
// terminator included; with a null target only counts. Returns the bytes of the whole
// conversion, terminator included, or 0 when it fails.
int WideToNarrow(const wchar_t* text, char* target, int size);

// Below, equal to or above 0 as the first text sorts before, with or after the second.
int CompareNarrow(const char* text, const char* other);

// The first or last occurrence of a (non-NUL) byte in the text, or null.
const char* FindFirstNarrow(const char* text, char c);
const char* FindLastNarrow(const char* text, char c);
