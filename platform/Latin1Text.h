#pragma once
// Stand-in of WideCharToMultiByte for the ANSI code page 1252, for the native build: it
// converts as that code page does every character both share with Latin-1 (U+0000 to U+007F
// and U+00A0 to U+00FF, one byte each) and every character of neither (to '?'). Characters the
// code page maps elsewhere (the curly quotes, the euro sign) are not among them.

// Same contract as WideToNarrow (platform/CodePage.h).
int Latin1FromWide(const wchar_t* text, char* target, int size);
