#pragma once
// UTF-8 text as the host's wide text. The host kit converts with the platform's code page
// calls; the native build of the batch reader over the stand-in decoder of Utf8Decoding.h.
#include <string>
#include <string_view>

// Throws std::invalid_argument when the bytes are not UTF-8.
std::wstring WideFromUtf8(std::string_view text);
