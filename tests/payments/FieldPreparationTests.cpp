#include <limits>
#include <string>
#include <doctest/doctest.h>

#include "payments/FieldPreparation.h"
#include "payments/PaymentValidation.h"

namespace {
std::string Text(const FieldText& text) {
    return std::string(text.Text(), text.Length());
}
} // namespace

TEST_CASE("NarrowText keeps Latin-1 characters and leaves out the ones it cannot represent") {
    CHECK(Text(NarrowText(L"Caf\u00e9 \u00ff")) == "Caf\xe9 \xff");
    // The text after an unrepresentable character is not lost.
    CHECK(Text(NarrowText(L"Zo\u00eb \u03a9mega \u20ac Ltd")) == "Zo\xeb mega  Ltd");
    CHECK(Text(NarrowText(nullptr)).empty());
    CHECK(NarrowText(std::wstring(300, L'x').c_str()).Length() == FieldText::Capacity);
    CHECK(IsNarrowable(L"Caf\u00e9"));
    CHECK_FALSE(IsNarrowable(L"1234\u0661678"));
}

TEST_CASE("StripQuotes removes one enclosing pair of double quotes only") {
    CHECK(Text(StripQuotes(FieldText("\"say \"hi\"\""))) == "say \"hi\"");
    CHECK(Text(StripQuotes(FieldText("\"\""))) == "");
    CHECK(Text(StripQuotes(FieldText("\""))) == "\"");
    CHECK(Text(StripQuotes(FieldText("a\"b\""))) == "a\"b\"");
}

TEST_CASE("CleanText keeps letters, digits and blanks, and nothing that could break a line") {
    CHECK(Text(CleanText(FieldText("O'Brien, \"Caf\xe9\"\tNo 5"))) == "OBrien Caf\tNo 5");
    CHECK(Text(CleanText(FieldText("Two\r\nLines"))) == "TwoLines");
    CHECK(Text(QuotedFieldSafe(FieldText("a\"b\rc\nd,e"))) == "abcd,e");
}

TEST_CASE("AmountText has two decimals, a point and no thousands separator") {
    CHECK(AmountText(1234567.891) == "1234567.89");
    CHECK(AmountText(1e20) == "100000000000000000000.00");
    // As the payment files have always had it, for a NaN of either sign.
    CHECK(AmountText(std::numeric_limits<double>::quiet_NaN()) == "nan");
    CHECK(AmountText(-std::numeric_limits<double>::quiet_NaN()) == "nan");
}

TEST_CASE("the amount rule refuses zero, negative and non-numeric amounts") {
    CHECK_FALSE(IsValidAmount(0.0));
    CHECK_FALSE(IsValidAmount(0.000005));
    CHECK(IsValidAmount(0.00001));
    CHECK_FALSE(IsValidAmount(std::numeric_limits<double>::quiet_NaN()));
    CHECK_FALSE(IsValidAmount(std::numeric_limits<double>::infinity()));
}

TEST_CASE("a sort code passes with exactly six digits among other characters") {
    CHECK(IsValidSortCode(L"12-34-56"));
    CHECK_FALSE(IsValidSortCode(L"12-34-5"));
    CHECK_FALSE(IsValidSortCode(L"1234567"));
}

TEST_CASE("an account number passes as eight characters the file carries unaltered") {
    CHECK(IsValidAccountNumber(L"ABCDEFGH"));
    CHECK_FALSE(IsValidAccountNumber(L"1234567"));
    CHECK_FALSE(IsValidAccountNumber(L"123456789"));
    CHECK_FALSE(IsValidAccountNumber(nullptr));
    // Eight characters, but one of them cannot be written or would break the line.
    CHECK_FALSE(IsValidAccountNumber(L"1234567\""));
    CHECK_FALSE(IsValidAccountNumber(L"123456\r\n"));
    CHECK_FALSE(IsValidAccountNumber(L"1234567\u03a9"));
    // Nine characters of which one is unrepresentable: eight remain, still invalid.
    CHECK_FALSE(IsValidAccountNumber(L"1234\u03a95678"));
}
