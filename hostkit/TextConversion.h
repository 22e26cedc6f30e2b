#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "hostkit/Utf8Text.h"

// Conversions between the host's text forms: UTF-8 (files and output), UTF-16 (BSTRs and the
// command line) and the ANSI code page (the narrow buffers of the configuration interface).

std::string Utf8FromWide(std::wstring_view text);
// Characters the code page cannot hold become its default character.
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);

// A BSTR's text; a null BSTR is the empty text.
std::wstring WideFromBstr(BSTR text);
// Hands a new BSTR copy of text to a caller through an out-parameter: E_POINTER for a null
// out-parameter, E_OUTOFMEMORY when no copy can be made.
HRESULT HandOutText(std::wstring_view text, BSTR* out);

// "0x" and eight upper-case hexadecimal digits.
std::string HexResult(HRESULT result);
