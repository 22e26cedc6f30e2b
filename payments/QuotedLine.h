#pragma once
// One line of a payment file: fields in double quotes, separated by single commas, ended by a
// line feed (which a text-mode file stores as carriage return and line feed). Field texts are
// not escaped: the writers hand in only texts that cannot end a quoted field.
#include <cstddef>
#include <cstdio>
#include <string>

#include "payments/FieldText.h"

class QuotedLine {
public:
    // Room for the longest line of either format: 19 fields of at most 18 characters but for
    // the widest amount (313 characters) and their quotes and commas.
    static constexpr std::size_t Capacity = 1024;

    void Add(const char* text);
    void Add(const FieldText& text) { Add(text.Text(), static_cast<std::size_t>(text.Length())); }
    void Add(const std::string& text) { Add(text.data(), text.size()); }
    // A field with nothing between its quotes.
    void AddEmpty() { Add("", 0); }
    // Two texts joined in one field.
    void Add(const FieldText& first, const FieldText& second);

    // Writes the line and its line feed in one go; write errors stay on the file for the caller.
    void WriteTo(std::FILE* file);

private:
    void Add(const char* text, std::size_t length);
    void OpenField();
    void CloseField() { Put("\"", 1); }
    // Raises E_UNEXPECTED rather than run past the line's end.
    void Put(const char* text, std::size_t length);

    char line_[Capacity];
    std::size_t length_ = 0;
};
