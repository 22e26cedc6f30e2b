#include <string>
#include <doctest/doctest.h>

#include "com/Bstr.h"
#include "hostcall/ErrorGuard.h"
#include "payments/StatusText.h"

namespace {

std::string Message(long code) {
    CString text;
    return LoadStatusText(code, text) ? std::string(text.Text()) : std::string("<none>");
}

} // namespace

TEST_CASE("status codes 0 and 20 to 35 have their messages, all others none") {
    CHECK(Message(0) == "Payment processed successfully.");
    CHECK(Message(21) == "Invalid Amount specified for payment: negative payments not supported.");
    CHECK(Message(23) == "Invalid Payer Sort Code: the sort code must contain exactly 6 digits.");
    CHECK(Message(29) == "Invalid Payee Bank Account Number: the account number must be 8 digits.");
    CHECK(Message(30) == "Invalid or missing Payee bank account name.");
    CHECK(Message(35) == "An error occurred with the status field.");
    for (long code = 20; code <= 35; ++code) {
        CAPTURE(code);
        CHECK(Message(code) != "<none>");
    }
    for (long code = 1; code <= 19; ++code) {
        CAPTURE(code);
        CHECK(Message(code) == "<none>");
    }
    // 340 exists in the string table but no code reaches it.
    CHECK(Message(36) == "<none>");
    CHECK(Message(40) == "<none>");
    CHECK(Message(-1) == "<none>");
    CHECK(Message(-300) == "<none>");
}

TEST_CASE("a code without a message leaves the text as it was") {
    CString text("kept");
    CHECK_FALSE(LoadStatusText(40, text));
    CHECK(std::string(text.Text()) == "kept");
}

TEST_CASE("GetStatusText hands out a new BSTR, or nothing for a code without a message") {
    Bstr text;
    CHECK(WritePaymentStatusText(21, text.Out()) == S_OK);
    REQUIRE(text.Get() != nullptr);
    CHECK(std::wstring(text.Get(), text.Length()) ==
          L"Invalid Amount specified for payment: negative payments not supported.");

    for (long code : {5L, 36L, 40L, -1L}) {
        CAPTURE(code);
        BSTR untouched = reinterpret_cast<BSTR>(0x1234);
        CHECK(WritePaymentStatusText(code, &untouched) == S_OK);
        CHECK(untouched == reinterpret_cast<BSTR>(0x1234));
    }
}

TEST_CASE("GetStatusText without an out pointer is an invalid argument") {
    const HRESULT result = MethodErrorGuard([] { return WritePaymentStatusText(21, nullptr); });
    CHECK(result == static_cast<HRESULT>(0x800AFFFC));
}
