#include <climits>
#include <string>
#include <doctest/doctest.h>

#include "text/CString.h"
#include "text/ThrownCode.h"

TEST_CASE("a new string is empty and owns no buffer") {
    CString text;
    CHECK(text.Length() == 0);
    CHECK(text.Capacity() == 0);
    CHECK(std::string(text.Text()).empty());
    text = "";
    CHECK(text.Capacity() == 0);
    CString copyOfEmpty(text);
    CHECK(copyOfEmpty.Capacity() == 0);
    CHECK(copyOfEmpty.Length() == 0);
}

TEST_CASE("buffers are sized exactly and reused without shrinking") {
    CString text;
    text.Reserve(10);
    CHECK(text.Capacity() == 10);

    text = "abc";
    CHECK(text.Capacity() == 10);
    CHECK(std::string(text.Text()) == "abc");

    text = "abcdefghijk";
    CHECK(text.Capacity() == 11);
    CHECK(std::string(text.Text()) == "abcdefghijk");

    text = "xy";
    CHECK(text.Capacity() == 11);
    CHECK(text.Length() == 2);

    SUBCASE("appending within the capacity keeps the buffer") {
        text.Append("12345");
        CHECK(text.Capacity() == 11);
        CHECK(std::string(text.Text()) == "xy12345");
    }
    SUBCASE("appending past the capacity grows to exactly the new length") {
        text.Append("1234567890");
        CHECK(text.Capacity() == 12);
        CHECK(std::string(text.Text()) == "xy1234567890");
    }
    SUBCASE("a larger reservation replaces the buffer and drops the text") {
        text.Reserve(20);
        CHECK(text.Capacity() == 20);
        CHECK(text.Length() == 0);
    }
    SUBCASE("a smaller reservation keeps buffer and text") {
        text.Reserve(3);
        CHECK(text.Capacity() == 11);
        CHECK(std::string(text.Text()) == "xy");
    }
    SUBCASE("clearing releases the buffer") {
        text.Clear();
        CHECK(text.Capacity() == 0);
        CHECK(text.Length() == 0);
        CHECK(std::string(text.Text()).empty());
    }
}

TEST_CASE("copies are deep") {
    CString original("shared?");
    CString copy(original);
    copy.Append(" no");
    original = "changed";
    CHECK(std::string(copy.Text()) == "shared? no");
    CHECK(std::string(original.Text()) == "changed");
    CHECK(copy.Capacity() == 10);

    CString assigned;
    assigned = copy;
    CHECK(assigned.Text() != copy.Text());
    CHECK(assigned == copy);
    const CString& itself = assigned;
    assigned = itself;
    CHECK(std::string(assigned.Text()) == "shared? no");
}

TEST_CASE("assigning and appending parts of the string's own text") {
    CString text("abcdef");
    SUBCASE("a tail of itself moves to the front") {
        text = text.Text() + 2;
        CHECK(std::string(text.Text()) == "cdef");
        CHECK(text.Capacity() == 6);
    }
    SUBCASE("itself, growing the buffer") {
        text.Append(text);
        CHECK(std::string(text.Text()) == "abcdefabcdef");
    }
    SUBCASE("itself, within the buffer") {
        text.Reserve(20);
        text = "abc";
        text += text;
        CHECK(std::string(text.Text()) == "abcabc");
        CHECK(text.Capacity() == 20);
    }
}

TEST_CASE("appending and concatenating") {
    CString text("Sort ");
    text += "code";
    text += CString(" 12");
    text += L"-34";
    CHECK(std::string(text.Text()) == "Sort code 12-34");

    const CString joined = text + "-56";
    CHECK(std::string(joined.Text()) == "Sort code 12-34-56");
    CHECK(std::string(text.Text()) == "Sort code 12-34");

    SUBCASE("nothing to append leaves an empty string without a buffer") {
        CString empty;
        empty.Append("");
        empty.Append(CString());
        empty.Append(L"");
        CHECK(empty.Capacity() == 0);
    }
}

TEST_CASE("characters by position") {
    const CString text("abc");
    CHECK(text.CharAt(0) == 'a');
    CHECK(text[2] == 'c');
    CHECK(ThrownCode([&] { text.CharAt(3); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.CharAt(-1); }) == E_INVALIDARG);
    CHECK(ThrownCode([] { CString().CharAt(0); }) == E_INVALIDARG);
}

TEST_CASE("invalid arguments are thrown as E_INVALIDARG") {
    CString text("kept");
    const char* noText = nullptr;
    const wchar_t* noWideText = nullptr;

    CHECK(ThrownCode([&] { text.Assign(noText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text = noText; }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { CString constructed(noText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.Append(noText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text += noText; }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.Append(noWideText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.CompareTo(noText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.FormatText(noText); }) == E_INVALIDARG);
    CHECK(ThrownCode([&] { text.Reserve(-1); }) == E_INVALIDARG);
    CHECK(std::string(text.Text()) == "kept");

    SUBCASE("a null wide string assigns the empty text") {
        text = noWideText;
        CHECK(text.Length() == 0);
        CHECK(ThrownCode([&] { CString constructed(noWideText); }) == S_OK);
    }
}

TEST_CASE("the largest capacity: a 32-bit process cannot allocate it, a 64-bit process can") {
    CString text("some text");
    if (sizeof(void*) == 8) {
        CHECK(ThrownCode([&] { text.Reserve(INT_MAX); }) == S_OK);
        CHECK(text.Capacity() == INT_MAX);
    } else {
        // The failed allocation throws E_OUTOFMEMORY and leaves the string empty.
        CHECK(ThrownCode([&] { text.Reserve(INT_MAX); }) == E_OUTOFMEMORY);
        CHECK(text.Capacity() == 0);
    }
    CHECK(text.Length() == 0);
    CHECK(std::string(text.Text()).empty());

    text = "usable again";
    CHECK(std::string(text.Text()) == "usable again");
}

TEST_CASE("a text cannot grow past the largest capacity") {
    // A 32-bit process has no room for the gigabyte of text this takes.
    if (sizeof(void*) == 4) {
        return;
    }
    // 2^30 bytes, doubled in place: appended to itself it would be INT_MAX + 1 bytes long.
    constexpr int Half = INT_MAX / 2 + 1;
    CString text;
    text.Reserve(Half);
    text = "a";
    for (int doubling = 0; doubling < 30; ++doubling) {
        text.Append(text);
    }
    REQUIRE(text.Length() == Half);

    CHECK(ThrownCode([&] { text.Append(text); }) == E_OUTOFMEMORY);
    // Refused before anything was allocated or moved.
    CHECK(text.Capacity() == Half);
    CHECK(text.Length() == Half);
}
