#include <string>
#include <doctest/doctest.h>

#include "com/Bstr.h"
#include "text/CString.h"
#include "text/ThrownCode.h"

TEST_CASE("comparison") {
    const CString sortCode("123456");
    CHECK(sortCode.CompareTo("123456") == 0);
    CHECK(sortCode.CompareTo("123457") < 0);
    CHECK(sortCode.CompareTo("12345") > 0);
    CHECK(CString().CompareTo("") == 0);
    CHECK(CString().CompareTo("a") < 0);
    CHECK(sortCode == CString("123456"));
    CHECK(sortCode != CString("654321"));
    CHECK(CString() == CString(""));
}

TEST_CASE("finding a character") {
    const CString path("C:\\Payments\\batch.csv");
    CHECK(path.FindFirst('\\') == 2);
    CHECK(path.FindLast('\\') == 11);
    CHECK(path.FindFirst('C') == 0);
    CHECK(path.FindLast('v') == 20);
    CHECK(path.FindFirst('z') == -1);
    CHECK(path.FindLast('z') == -1);
    CHECK(CString().FindFirst('a') == -1);
    CHECK(CString().FindLast('a') == -1);
    CHECK(path.FindFirst('\0') == -1);
}

TEST_CASE("slicing") {
    const CString text("abc");
    CHECK(std::string(text.Head(10).Text()) == "abc");
    CHECK(std::string(text.Head(2).Text()) == "ab");
    CHECK(std::string(text.Tail(2).Text()) == "bc");
    CHECK(std::string(text.Tail(10).Text()) == "abc");
    CHECK(std::string(text.Slice(1, 10).Text()) == "bc");
    CHECK(std::string(text.Slice(1, 1).Text()) == "b");
    CHECK(text.Slice(3, 5).Length() == 0);
    CHECK(text.Head(0).Length() == 0);
    CHECK(text.Tail(0).Length() == 0);

    SUBCASE("a slice owns a buffer of exactly its length") {
        const CString slice = CString("20240329").Slice(4, 2);
        CHECK(std::string(slice.Text()) == "03");
        CHECK(slice.Capacity() == 2);
    }
    SUBCASE("positions outside the text and negative counts are refused") {
        CHECK(ThrownCode([&] { text.Slice(-1, 1); }) == E_INVALIDARG);
        CHECK(ThrownCode([&] { text.Slice(4, 0); }) == E_INVALIDARG);
        CHECK(ThrownCode([&] { text.Slice(0, -1); }) == E_INVALIDARG);
        CHECK(ThrownCode([&] { text.Head(-1); }) == E_INVALIDARG);
        CHECK(ThrownCode([&] { text.Tail(-1); }) == E_INVALIDARG);
    }
}

TEST_CASE("formatting") {
    CString text("previous contents");
    text.FormatText("%d days to the next likely Banking Day.", 2);
    CHECK(std::string(text.Text()) == "2 days to the next likely Banking Day.");
    text.FormatText("%04d%02d%02d", 2024, 3, 29);
    CHECK(std::string(text.Text()) == "20240329");

    SUBCASE("its own text can be an argument") {
        text.FormatText("[%s]", text.Text());
        CHECK(std::string(text.Text()) == "[20240329]");
    }
    SUBCASE("a result is cut to 255 characters") {
        const std::string longText(300, 'x');
        text.FormatText("%s", longText.c_str());
        CHECK(text.Length() == 255);
        CHECK(std::string(text.Text()) == longText.substr(0, 255));
        text.FormatText("%s", longText.substr(0, 255).c_str());
        CHECK(text.Length() == 255);
    }
}

TEST_CASE("loading string-table entries") {
    CString text("previous contents");
    CHECK(text.LoadResourceText(GetModuleHandleA(nullptr), 321));
    CHECK(std::string(text.Text()) ==
          "Invalid Amount specified for payment: negative payments not supported.");

    SUBCASE("a missing entry gives the empty string and false") {
        CHECK_FALSE(text.LoadResourceText(GetModuleHandleA(nullptr), 299));
        CHECK(text.Length() == 0);
    }
    SUBCASE("a long entry is cut to 255 characters") {
        // Entry 900 of this program's own resources holds 300 characters, 'a' to 'j' repeated.
        CHECK(text.LoadResourceText(GetModuleHandleA(nullptr), 900));
        CHECK(text.Length() == 255);
        CHECK(text.CharAt(0) == 'a');
        CHECK(text.CharAt(254) == 'e');
    }
}

TEST_CASE("wide text converts through the ANSI code page") {
    CString text(L"Northern Bank");
    CHECK(std::string(text.Text()) == "Northern Bank");
    text = L"";
    CHECK(text.Length() == 0);
    text.Assign(L"BACS");
    text.Append(L" ID");
    CHECK(std::string(text.Text()) == "BACS ID");

    SUBCASE("Western characters map to single bytes") {
        REQUIRE(GetACP() == 1252);
        text = L"Caf\u00e9 \u00a3";
        CHECK(std::string(text.Text()) == "Caf\xe9 \xa3");
        CHECK(text.Length() == 6);
    }
}

TEST_CASE("a BSTR copy of the text") {
    SUBCASE("plain text") {
        const Bstr converted(CString("Payment 1 To 1").ToBstr());
        REQUIRE(converted.Get() != nullptr);
        CHECK(converted.Length() == 14);
        CHECK(std::wstring(converted.Get()) == L"Payment 1 To 1");
    }
    SUBCASE("the empty string gives an empty BSTR, not a null one") {
        const Bstr converted(CString().ToBstr());
        REQUIRE(converted.Get() != nullptr);
        CHECK(converted.Length() == 0);
    }
    SUBCASE("Western characters come back as they went in") {
        REQUIRE(GetACP() == 1252);
        const Bstr converted(CString("\xa3"
                                     "5.00 \xe9")
                                 .ToBstr());
        CHECK(converted.Length() == 7);
        CHECK(std::wstring(converted.Get()) == L"\u00a3"
                                               L"5.00 \u00e9");
    }
}
