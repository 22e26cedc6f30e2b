#pragma once
// A strict UTF-8 decoder into UTF-16 code units, standing in for MultiByteToWideChar(CP_UTF8,
// MB_ERR_INVALID_CHARS) where there is none: it refuses what that call refuses (a byte that
// begins no sequence, a sequence cut short, overlong forms, encoded surrogates, code points
// beyond U+10FFFF) and gives the same units for everything else.
#include <string>
#include <string_view>

// False, and units left as they were, when the bytes are not UTF-8.
bool DecodeUtf8(std::string_view text, std::wstring& units);
