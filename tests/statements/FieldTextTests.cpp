#include <doctest/doctest.h>

#include <string>

#include "statements/TransactionFields.h"
#include "text/CString.h"

// The fields of a record are assigned a counted part of each line; these are the string's rules
// that the decoding relies on, whichever way the copy is made.
TEST_CASE("a counted part of a text keeps the buffer it fits") {
    CString field;
    field.Assign("unused", 0);
    CHECK(field.Capacity() == 0);

    const char line[] = "123456ABCDEFGH";
    field.Assign(line, 6);
    CHECK(field.Capacity() == 6);
    CHECK(std::string(field.Text()) == "123456");
    const char* buffer = field.Text();

    field.Assign(line + 6, 6);
    CHECK(field.Text() == buffer);
    CHECK(std::string(field.Text()) == "ABCDEF");
    field.Assign(line + 8, 2);
    CHECK(field.Text() == buffer);
    CHECK(std::string(field.Text()) == "CD");

    field.Assign(line, 14);
    CHECK(field.Capacity() == 14);
    CHECK(std::string(field.Text()) == "123456ABCDEFGH");
}

TEST_CASE("a counted part of the string's own text moves within its buffer") {
    CString text("abcdefgh");
    text.Assign(text.Text() + 3, 4);
    CHECK(std::string(text.Text()) == "defg");
    CHECK(text.Capacity() == 8);
    text.Assign(text.Text(), 2);
    CHECK(std::string(text.Text()) == "de");
    // Its terminator position is its own text too: the empty text.
    text.Assign(text.Text() + text.Capacity(), 0);
    CHECK(text.Length() == 0);
    CHECK(text.Capacity() == 8);
}

TEST_CASE("counted assignments refuse what the string refuses") {
    CString text("abc");
    CHECK_THROWS_AS(text.Assign("abc", -1), long);
    CHECK_THROWS_AS(text.Assign(nullptr, 2), long);
    text.Assign(nullptr, 0);
    CHECK(text.Length() == 0);
}

TEST_CASE("fields cut from a long line all arrive whole") {
    const std::string line = std::string(40, 'a') + std::string(40, 'b') + std::string(40, 'c');
    FieldCutter fields(line.c_str(), static_cast<int>(line.size()));
    CString first;
    CString second;
    fields.TakeField(40, first);
    fields.TakeField(70, second);
    CHECK(std::string(first.Text()) == std::string(40, 'a'));
    CHECK(std::string(second.Text()) == std::string(40, 'b') + std::string(30, 'c'));
    CHECK(fields.TakeInteger(10) == 0);
}
