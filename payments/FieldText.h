#pragma once

// The narrow text of one payment file field while it is being prepared. It holds at most
// Capacity characters and never allocates: a longer host text is cut, which is harmless as no
// field of either payment file is wider than 18 characters and a cut value is still too long
// for every length rule.
class FieldText {
public:
    static constexpr int Capacity = 255;

    FieldText() { text_[0] = '\0'; }
    // Copies a NUL-terminated text, cut to Capacity.
    explicit FieldText(const char* text);

    const char* Text() const { return text_; }
    int Length() const { return length_; }
    char operator[](int index) const { return text_[index]; }

    // Adds one character; false, and nothing added, once the text is full.
    bool Append(char c);
    // The first count characters, or the whole text when it is shorter.
    FieldText Head(int count) const;

private:
    char text_[Capacity + 1];
    int length_ = 0;
};
