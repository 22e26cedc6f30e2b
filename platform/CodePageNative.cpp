#include "platform/CodePage.h"

#include <cstring>

#include "platform/Latin1Text.h"

int WideToNarrow(const wchar_t* text, char* target, int size) {
    return Latin1FromWide(text, target, size);
}

int CompareNarrow(const char* text, const char* other) {
    return std::strcmp(text, other);
}

const char* FindFirstNarrow(const char* text, char c) {
    return std::strchr(text, c);
}

const char* FindLastNarrow(const char* text, char c) {
    return std::strrchr(text, c);
}
