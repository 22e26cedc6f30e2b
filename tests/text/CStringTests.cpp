#include <string>
#include <doctest/doctest.h>

#include "text/CString.h"

TEST_CASE("a new string is empty and owns no buffer") {
    CString text;
    CHECK(text.Length() == 0);
    CHECK(text.Capacity() == 0);
    CHECK(std::string(text.Text()).empty());
    text = "";
    CHECK(text.Capacity() == 0);
}
