#include "tools/velmora-host/BatchFile.h"

#include <cfloat>

#include <doctest/doctest.h>

#include <string>

#include "hostkit/DecimalText.h"

namespace {

// The line a refused text is refused at, or 0 when it is accepted.
int RefusedLine(const std::string& text) {
    try {
        ReadPaymentBatch(text);
    } catch (const CsvError& error) {
        return error.Line();
    }
    return 0;
}

} // namespace

TEST_CASE("comma-separated records: quoting, line ends and empty fields") {
    const auto records = ParseCsv("a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
                                  ",,\n"
                                  "\"two\nlines\",x\r"
                                  "last,\"\"");
    REQUIRE(records.size() == 4);
    CHECK(records[0].fields == std::vector<std::string>{"a", "b,c", "say \"hi\""});
    CHECK(records[1].fields == std::vector<std::string>{"", "", ""});
    CHECK(records[2].fields == std::vector<std::string>{"two\nlines", "x"});
    CHECK(records[3].fields == std::vector<std::string>{"last", ""});
    // Each record is numbered by the line it begins on; the quoted line end counts.
    CHECK(records[0].line == 1);
    CHECK(records[1].line == 2);
    CHECK(records[2].line == 3);
    CHECK(records[3].line == 5);
}

TEST_CASE("comma-separated records: empty lines, byte order mark and a final line end") {
    const auto records = ParseCsv("\xEF\xBB\xBFh1,h2\r\n\r\nv1,v2\r\n\r\n");
    REQUIRE(records.size() == 2);
    CHECK(records[0].fields == std::vector<std::string>{"h1", "h2"});
    CHECK(records[1].fields == std::vector<std::string>{"v1", "v2"});
    CHECK(records[1].line == 3);
    CHECK(ParseCsv("").empty());
}

TEST_CASE("comma-separated records: malformed text is refused at its line") {
    const auto lineOf = [](const char* text) {
        try {
            ParseCsv(text);
        } catch (const CsvError& error) {
            return error.Line();
        }
        return 0;
    };
    CHECK(lineOf("a,b\nc,\"open\n\nstill open") == 2);
    CHECK(lineOf("a,b\r\nc,d\"e\r\n") == 2);
    CHECK(lineOf("a\n\"closed\"x,b\n") == 2);
    CHECK(lineOf("\"a\"\"\n") == 1);
}

TEST_CASE("payment batch: columns in any order, every property read") {
    const auto batch = ReadPaymentBatch(
        "Details,Amount,PayeeAccountName,PayerSortCode,PayerAccountNumber,PayerAccountName,"
        "PayeeBacsReference,PayeeSortCode,PayeeAccountNumber,PayeeRollNumber\n"
        "Rent,150.5,\"Brown, Green\",12-34-56,12345678,ACME,INV 1,65-43-21,87654321,R77\n"
        "\"\",-20,x,,,,,,,\n");
    const auto& payments = batch.payments;
    REQUIRE(payments.size() == 2);
    const PaymentFields& first = payments[0];
    CHECK(first.amount == 150.5);
    CHECK(first.details == L"Rent");
    CHECK(first.payeeAccountName == L"Brown, Green");
    CHECK(first.payerSortCode == L"12-34-56");
    CHECK(first.payerAccountNumber == L"12345678");
    CHECK(first.payerAccountName == L"ACME");
    CHECK(first.payeeBacsReference == L"INV 1");
    CHECK(first.payeeSortCode == L"65-43-21");
    CHECK(first.payeeAccountNumber == L"87654321");
    CHECK(first.payeeRollNumber == L"R77");
    CHECK(payments[1].amount == -20.0);
    CHECK(payments[1].details.empty());
}

TEST_CASE("payment batch: each payment's line is where its record starts") {
    const auto batch = ReadPaymentBatch("Details,Amount\r\n\"two\nlines\",1\r\nnext,2\r\nlast,3");
    CHECK(batch.payments.size() == batch.lines.size());
    CHECK(batch.lines == std::vector<int>{2, 4, 5});
}

TEST_CASE("payment batch: missing columns are empty, names are UTF-8") {
    const auto payments =
        ReadPaymentBatch("PayeeAccountName\n\"Zo\xC3\xAB M\xC3\xBCller\"\n").payments;
    REQUIRE(payments.size() == 1);
    CHECK(payments[0].payeeAccountName == L"Zo\u00EB M\u00FCller");
    CHECK(payments[0].amount == 0.0);
    CHECK(payments[0].payeeSortCode.empty());
    CHECK(ReadPaymentBatch("Amount\n").payments.empty());
}

TEST_CASE("payment batch: faults are refused at their line") {
    CHECK(RefusedLine("") == 1);
    CHECK(RefusedLine("Amount,Payee\n1,x\n") == 1);
    CHECK(RefusedLine("Amount,Details,Amount\n") == 1);
    CHECK(RefusedLine("Amount,Details\n1,a\n2\n") == 3);
    CHECK(RefusedLine("Amount,Details\n1,a\n2,b,c\n") == 3);
    CHECK(RefusedLine("Amount\n1\n\n12,50\n") == 4);
    CHECK(RefusedLine("Amount\n1\nabc\n") == 3);
    CHECK(RefusedLine("Amount\n0x10\n") == 2);
    CHECK(RefusedLine("Amount\ninf\n") == 2);
    // Only the characters of a number, but not one number.
    CHECK(RefusedLine("Amount\n1.2.3\n") == 2);
    CHECK(RefusedLine("Amount\n12-\n") == 2);
    CHECK(RefusedLine("Amount\n+-5\n") == 2);
    CHECK(RefusedLine("Details\nok\n\"caf\xE9\"\n") == 3);
    CHECK(RefusedLine("Amount\n 12.5 \n") == 0);
}

TEST_CASE("decimal text: every digit of the largest values") {
    CHECK(DecimalText(1e300, 2) ==
          "100000000000000005250476025520442024870446858110815915491585411551180245798890819578"
          "637137508044786404370444383288387817694252323536043057564479218478670698284838720092"
          "657580373783023379478809005936895323497079994508111903896764088007465274278014249457"
          "9258788820056842838115669472196386865459400540160.00");
    CHECK(DecimalText(-DBL_MAX, 2) ==
          "-"
          "179769313486231570814527423731704356798070567525844996598917476803157260780028538760"
          "589558632766878171540458953514382464234321326889464182768467546703537516986049910576"
          "551282076245490090389328944075868508455133942304583236903222948165808559332123348274"
          "797826204144723168738177180919299881250404026184124858368.00");
}
