#pragma once
// The preparation steps that turn host payment values into the texts of the payment files.
#include <string>

#include "payments/FieldText.h"

// Host wide text as narrow text: every character up to U+00FF becomes the byte of the same
// value. A character above U+00FF has no such byte and is left out, so that the rest of the
// text is kept. A null text is empty.
FieldText NarrowText(const wchar_t* host);

// True when every character of the host text has a narrow byte (see NarrowText).
bool IsNarrowable(const wchar_t* host);

// NarrowText keeping only the decimal digits 0 to 9, in their order.
FieldText DigitsOnlyText(const wchar_t* host);

// The text between an enclosing pair of double quotes; any other text unchanged.
FieldText StripQuotes(const FieldText& text);

// Keeps the letters A to Z and a to z, the digits and the blank, tab, vertical tab and form
// feed; all punctuation and every byte above 127 go. Line breaks go as well: a cleaned text
// must fit inside one quoted field of one line.
FieldText CleanText(const FieldText& text);

// True when the text holds a character that would end a quoted field or its line: a double
// quote, a carriage return or a line feed.
bool BreaksQuotedField(const FieldText& text);

// The text less the characters that would end a quoted field or its line.
FieldText QuotedFieldSafe(const FieldText& text);

// The text right-aligned in width, filled on the left with the character 0; a text at least as
// long as the width stays unchanged.
FieldText ZeroPad(const FieldText& text, int width);

// The amount with exactly two decimals, a point, a leading minus sign when negative and no
// thousands separator: 150.5 gives 150.50.
std::string AmountText(double amount);
