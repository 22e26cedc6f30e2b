#include "hostkit/Utf8Text.h"

#include <stdexcept>

#include "hostkit/Utf8Decoding.h"

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring units;
    if (!DecodeUtf8(text, units)) {
        throw std::invalid_argument("text is not in the expected encoding");
    }
    return units;
}
