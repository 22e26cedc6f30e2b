// The payment lines from plain values, as the native build writes them: the same lines as the
// DLL's but for the line end, which a text-mode file on Windows widens to CR LF.
#include <cmath>
#include <limits>
#include <string>
#include <vector>
#include <doctest/doctest.h>

#include "payments/BacsIdLine.h"
#include "payments/OneToOneLine.h"
#include "support/PlainPayment.h"
#include "support/WrittenBytes.h"

namespace {

PlainPayment ExamplePayment() {
    PlainPayment payment;
    payment.amount = 150.5;
    payment[PaymentText::PayerSortCode] = L"12-34-56";
    payment[PaymentText::PayerAccountNumber] = L"12345678";
    payment[PaymentText::PayerAccountName] = L"ACME Supplies Ltd";
    payment[PaymentText::PayeeBacsReference] = L"INV 1042/A";
    payment[PaymentText::PayeeSortCode] = L"65-43-21";
    payment[PaymentText::PayeeAccountNumber] = L"87654321";
    payment[PaymentText::PayeeAccountName] = L"J. Smith & Co.";
    payment[PaymentText::Details] = L"Invoice 1042";
    return payment;
}

struct LineCase {
    const char* name;
    void (*change)(PlainPayment&);
    const char* bacsId;
    std::vector<PaymentStatusCode> bacsIdCodes;
};

const LineCase Cases[] = {
    {"a valid payment",
     [](PlainPayment&) {},
     "\"J. Smith & Co.\",\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\",\"99\"\n",
     {}},
    {"no payee name",
     [](PlainPayment& p) { p[PaymentText::PayeeAccountName].clear(); },
     "\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\",\"99\"\n",
     {InvalidPayeeAccountName}},
    {"a name with a line break, beyond Latin-1 and too long",
     [](PlainPayment& p) {
         p[PaymentText::PayeeAccountName] = L"\"Zo\u00eb\u4e2d\r\nM\u00fcller and Sons Ltd\"";
     },
     "\"Zo\xebM\xfcller and Sons\",\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\",\"99\"\n",
     {InvalidPayeeAccountName}},
    {"not a number",
     [](PlainPayment& p) { p.amount = std::numeric_limits<double>::quiet_NaN(); },
     nullptr,
     {InvalidAmount}},
    {"an infinite amount", [](PlainPayment& p) { p.amount = -HUGE_VAL; }, nullptr, {InvalidAmount}},
    {"a tiny amount and faulty account fields",
     [](PlainPayment& p) {
         p.amount = 0.000004;
         p[PaymentText::PayeeSortCode] = L"65-43-2";
         p[PaymentText::PayeeAccountNumber] = L"8765\"321";
     },
     "\"J. Smith & Co.\",\"INV 1042A\",\"065432\",\"08765321\",\"0.00\",\"0\",\"99\"\n",
     {InvalidPayeeSortCode, InvalidPayeeAccountNumber, InvalidAmount}},
};

} // namespace

TEST_CASE("BACS ID lines from plain values, and the codes of their failed rules in order") {
    for (const LineCase& lineCase : Cases) {
        INFO(lineCase.name);
        PlainPayment payment = ExamplePayment();
        lineCase.change(payment);
        bool valid = true;
        const std::string line =
            WrittenBytes([&](std::FILE* file) { valid = WriteBacsIdLine(payment, file); });
        if (lineCase.bacsId != nullptr) {
            CHECK(line == lineCase.bacsId);
        }
        CHECK(line.find('\n') == line.size() - 1);
        CHECK(payment.codes == lineCase.bacsIdCodes);
        CHECK(valid == lineCase.bacsIdCodes.empty());
    }
}

TEST_CASE("a one-to-one line from plain values carries the processing date") {
    PlainPayment payment = ExamplePayment();
    payment[PaymentText::PayerSortCode] = L"1234";
    // 8 March 2026, as a DATE.
    const DATE processingDate = 46089.0;
    bool valid = true;
    const std::string line = WrittenBytes(
        [&](std::FILE* file) { valid = WriteOneToOneLine(file, processingDate, payment); });
    CHECK(line == "\"CMGB\",\"1.0\",\"00123412345678\",\"\",\"65432187654321\",\"150.50\","
                  "\"08032026\",\"GBP\",\"F\",\"J Smith  Co\",\"J Smith  Co\","
                  "\"ACME Supplies Ltd\",\"\",\"\",\"\",\"\",\"ACME Supplies Ltd\",\"\",\"\"\n");
    CHECK_FALSE(valid);
    CHECK(payment.codes == std::vector<PaymentStatusCode>{InvalidPayerSortCode});
}
