#include <string>
#include <doctest/doctest.h>

#include "payments/HostPaymentSource.h"
#include "payments/OneToOneLine.h"
#include "support/ComObjectProbes.h"
#include "support/LineTesting.h"

namespace {

const DATE SeventhJanuary2013 = DateOf(2013, 1, 7);

struct Written {
    std::string line;
    bool valid;
};

Written WriteLine(IVelmoraPayment* payment, DATE date = SeventhJanuary2013) {
    Written written = {};
    HostPaymentSource values(payment);
    written.line = WrittenBytes(
        [&](std::FILE* file) { written.valid = WriteOneToOneLine(file, date, values); });
    return written;
}

Written WriteLine(const PaymentFields& values) {
    return WriteLine(MakeHostObject<HostPayment>(values).Get());
}

// The line of the example payment with some fields in place of the example's.
std::string ExampleLine(const std::string& field3 = "12345612345678",
                        const std::string& field5 = "65432187654321",
                        const std::string& amount = "150.50", const std::string& date = "07012013",
                        const std::string& payeeName = "J Smith  Co",
                        const std::string& payerName = "ACME Supplies Ltd") {
    return "\"CMGB\",\"1.0\",\"" + field3 + "\",\"\",\"" + field5 + "\",\"" + amount + "\",\"" +
           date + "\",\"GBP\",\"F\",\"" + payeeName + "\",\"" + payeeName + "\",\"" + payerName +
           "\",\"\",\"\",\"\",\"\",\"" + payerName + "\",\"\",\"\"\r\n";
}

} // namespace

TEST_CASE("a valid payment gives its 19 quoted fields and keeps its status code") {
    const std::shared_ptr<HostControl> log = LoggingControl();
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(ExamplePayment(), log);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line ==
          "\"CMGB\",\"1.0\",\"12345612345678\",\"\",\"65432187654321\",\"150.50\",\"07012013\","
          "\"GBP\",\"F\",\"J Smith  Co\",\"J Smith  Co\",\"ACME Supplies Ltd\",\"\",\"\",\"\","
          "\"\",\"ACME Supplies Ltd\",\"\",\"\"\r\n");
    CHECK(written.valid);
    CHECK(payment->StatusCodesSet().empty());
    CHECK(log->Log() == std::vector<std::string>{
                            "Payment.PayerSortCode", "Payment.PayerAccountNumber",
                            "Payment.PayeeSortCode", "Payment.PayeeAccountNumber", "Payment.Amount",
                            "Payment.PayeeAccountName", "Payment.PayerAccountName"});
    CHECK(ReferencesOf(payment.Get()) == 1);
}

TEST_CASE("an empty payee account name leaves fields 10 and 11 empty and gets code 30") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName.clear();
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line ==
          ExampleLine("12345612345678", "65432187654321", "150.50", "07012013", ""));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{30});
}

TEST_CASE("a short payer sort code is zero-padded and gets code 23") {
    PaymentFields values = ExamplePayment();
    values.payerSortCode = L"1234";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == ExampleLine("00123412345678"));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{23});
}

TEST_CASE("account numbers of the wrong length are cut or padded and get their codes") {
    PaymentFields values = ExamplePayment();
    values.payerAccountNumber = L"1234567";
    values.payeeAccountNumber = L"123456789";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == ExampleLine("12345601234567", "65432112345678"));
    CHECK(payment->StatusCodesSet() == std::vector<long>{24, 29});
}

TEST_CASE("a payee sort code 12-34-5 is written 012345 and gets code 28") {
    PaymentFields values = ExamplePayment();
    values.payeeSortCode = L"12-34-5";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    CHECK(WriteLine(payment.Get()).line == ExampleLine("12345612345678", "01234587654321"));
    CHECK(payment->StatusCodesSet() == std::vector<long>{28});
}

TEST_CASE("a negative amount is written as it is and gets code 21") {
    PaymentFields values = ExamplePayment();
    values.amount = -20;
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == ExampleLine("12345612345678", "65432187654321", "-20.00"));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{21});
}

TEST_CASE("the processing date is written as DDMMYYYY") {
    CHECK(std::string(FormatProcessingDate(DateOf(2013, 3, 1)).Text()) == "01032013");
    CHECK(std::string(FormatProcessingDate(DateOf(2024, 12, 31) + 0.75).Text()) == "31122024");
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(ExamplePayment());
    CHECK(WriteLine(payment.Get(), DateOf(2013, 3, 1)).line ==
          ExampleLine("12345612345678", "65432187654321", "150.50", "01032013"));
}

TEST_CASE("names are cleaned of punctuation and cut to 18 characters") {
    PaymentFields values = ExamplePayment();
    values.payerAccountName = L"Northern Widgets & Gadgets (UK) Ltd";
    values.payeeAccountName = L"O'Hara, \"Caf\u00e9\" Ltd";
    CHECK(WriteLine(values).line == ExampleLine("12345612345678", "65432187654321", "150.50",
                                                "07012013", "OHara Caf Ltd", "Northern Widgets  "));
}

TEST_CASE("line breaks in a name do not split the line") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName = L"J Smith\r\nand Co";
    values.payerAccountName = L"ACME\nSupplies";
    const Written written = WriteLine(values);
    CHECK(written.line == ExampleLine("12345612345678", "65432187654321", "150.50", "07012013",
                                      "J Smithand Co", "ACMESupplies"));
    CHECK(written.valid);
}

TEST_CASE("a quote or line break in an account number is left out and makes it invalid") {
    PaymentFields values = ExamplePayment();
    values.payerAccountNumber = L"1234567\"";
    values.payeeAccountNumber = L"8765\r\n21";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == ExampleLine("12345601234567", "65432100876521"));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{24, 29});
}

TEST_CASE("an account number with a character the file cannot hold is invalid") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountNumber = L"8765432\u0661";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == ExampleLine("12345612345678", "65432108765432"));
    CHECK(payment->StatusCodesSet() == std::vector<long>{29});
}

TEST_CASE("several faults set their codes in the order of the fields") {
    PaymentFields values = ExamplePayment();
    values.payerSortCode = L"12";
    values.payeeAccountNumber = L"";
    values.amount = 0;
    values.payeeAccountName = L"";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    CHECK_FALSE(WriteLine(payment.Get()).valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{23, 29, 21, 30});
}

TEST_CASE("values the host fails to deliver count as empty") {
    const ComPtr<HostPayment> payment =
        MakeHostObject<HostPayment>(ExamplePayment(), FailingReads());
    const Written written = WriteLine(payment.Get());
    CHECK(written.line ==
          ExampleLine("00000000000000", "00000000000000", "0.00", "07012013", "", ""));
    CHECK(payment->StatusCodesSet() == std::vector<long>{23, 24, 28, 29, 21, 30});
}
