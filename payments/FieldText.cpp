#include "payments/FieldText.h"

FieldText::FieldText(const char* text) : FieldText() {
    while (*text != '\0' && Append(*text)) {
        ++text;
    }
}

bool FieldText::Append(char c) {
    if (length_ == Capacity) {
        return false;
    }
    text_[length_++] = c;
    text_[length_] = '\0';
    return true;
}

FieldText FieldText::Head(int count) const {
    FieldText head;
    for (int i = 0; i < length_ && i < count; ++i) {
        head.Append(text_[i]);
    }
    return head;
}
