#include <string>
#include <doctest/doctest.h>

#include "payments/BacsIdLine.h"
#include "payments/HostPaymentSource.h"
#include "support/ComObjectProbes.h"
#include "support/LineTesting.h"

namespace {

struct Written {
    std::string line;
    bool valid;
};

Written WriteLine(IVelmoraPayment* payment) {
    Written written = {};
    HostPaymentSource values(payment);
    written.line =
        WrittenBytes([&](std::FILE* file) { written.valid = WriteBacsIdLine(values, file); });
    return written;
}

std::string LineOf(const std::string& fields) {
    return fields + "\r\n";
}

} // namespace

TEST_CASE("a valid payment gives 7 quoted fields and keeps its status code") {
    const std::shared_ptr<HostControl> log = LoggingControl();
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(ExamplePayment(), log);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line ==
          LineOf("\"J. Smith & Co.\",\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\","
                 "\"99\""));
    CHECK(written.valid);
    CHECK(payment->StatusCodesSet().empty());
    // The details are not read once a BACS reference was found.
    CHECK(log->Log() ==
          std::vector<std::string>{"Payment.PayeeAccountName", "Payment.PayeeRollNumber",
                                   "Payment.PayeeBacsReference", "Payment.PayeeSortCode",
                                   "Payment.PayeeAccountNumber", "Payment.Amount"});
    CHECK(ReferencesOf(payment.Get()) == 1);
}

TEST_CASE("an empty payee account name gives a 6-field line and code 30") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName.clear();
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"INV 1042A\",\"654321\",\"87654321\",\"150.50\",\"0\",\"99\""));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{30});
}

TEST_CASE("the reference is the roll number, else the BACS reference, else the details") {
    PaymentFields values = ExamplePayment();
    values.payeeRollNumber = L"ROLL/77-1";
    values.details = L"April rent";
    {
        const std::shared_ptr<HostControl> log = LoggingControl();
        const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values, log);
        CHECK(WriteLine(payment.Get()).line ==
              LineOf("\"J. Smith & Co.\",\"ROLL771\",\"654321\",\"87654321\",\"150.50\",\"0\","
                     "\"99\""));
        CHECK(log->Log()[1] == "Payment.PayeeRollNumber");
        CHECK(log->Log()[2] == "Payment.PayeeSortCode");
    }
    values.payeeRollNumber.clear();
    values.payeeBacsReference.clear();
    {
        const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
        CHECK(WriteLine(payment.Get()).line ==
              LineOf("\"J. Smith & Co.\",\"April rent\",\"654321\",\"87654321\",\"150.50\","
                     "\"0\",\"99\""));
    }
    values.details.clear();
    {
        const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
        const Written written = WriteLine(payment.Get());
        CHECK(written.line == LineOf("\"J. Smith & Co.\",\"\",\"654321\",\"87654321\","
                                     "\"150.50\",\"0\",\"99\""));
        CHECK(written.valid);
    }
}

TEST_CASE("the reference loses enclosing quotes and punctuation and is cut to 18") {
    PaymentFields values = ExamplePayment();
    values.payeeBacsReference = L"\"Invoice 2024/0001, March & April\"";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    CHECK(WriteLine(payment.Get()).line ==
          LineOf("\"J. Smith & Co.\",\"Invoice 20240001 M\","
                 "\"654321\",\"87654321\",\"150.50\",\"0\",\"99\""));
}

TEST_CASE("the payee name keeps its punctuation, loses enclosing quotes, is cut to 18") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName = L"\"Smith, Jones & Partners Ltd\"";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"Smith, Jones & Par\",\"INV 1042A\",\"654321\",\"87654321\","
                                 "\"150.50\",\"0\",\"99\""));
    CHECK(written.valid);
}

TEST_CASE("a quote or line break inside the payee name is left out and gets code 30") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName = L"J \"Jo\" Smith\r\nLtd";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"J Jo SmithLtd\",\"INV 1042A\",\"654321\",\"87654321\","
                                 "\"150.50\",\"0\",\"99\""));
    CHECK_FALSE(written.valid);
    CHECK(payment->StatusCodesSet() == std::vector<long>{30});
}

TEST_CASE("characters of the payee name above U+00FF are left out, the rest kept") {
    PaymentFields values = ExamplePayment();
    values.payeeAccountName = L"\u0141ukasz M\u00fcller";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"ukasz M\xfcller\",\"INV 1042A\",\"654321\",\"87654321\","
                                 "\"150.50\",\"0\",\"99\""));
    CHECK(written.valid);
}

TEST_CASE("a payee sort code 65 43 2 is written 065432 and gets code 28") {
    PaymentFields values = ExamplePayment();
    values.payeeSortCode = L"65 43 2";
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    CHECK(WriteLine(payment.Get()).line == LineOf("\"J. Smith & Co.\",\"INV 1042A\",\"065432\","
                                                  "\"87654321\",\"150.50\",\"0\",\"99\""));
    CHECK(payment->StatusCodesSet() == std::vector<long>{28});
}

TEST_CASE("payee account numbers are cut or padded to 8, and an altered one is invalid") {
    const struct {
        const wchar_t* host;
        const char* written;
        bool valid;
    } cases[] = {
        {L"1234567", "01234567", false},   {L"123456789", "12345678", false},
        {L"ABCDEFGH", "ABCDEFGH", true},   {L"1234\u03a9567", "01234567", false},
        {L"12\"34567", "01234567", false},
    };
    for (const auto& example : cases) {
        CAPTURE(std::string(example.written));
        PaymentFields values = ExamplePayment();
        values.payeeAccountNumber = example.host;
        const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
        const Written written = WriteLine(payment.Get());
        CHECK(written.line == LineOf(std::string("\"J. Smith & Co.\",\"INV 1042A\",\"654321\",\"") +
                                     example.written + "\",\"150.50\",\"0\",\"99\""));
        CHECK(written.valid == example.valid);
        CHECK(payment->StatusCodesSet() ==
              (example.valid ? std::vector<long>{} : std::vector<long>{29}));
    }
}

TEST_CASE("an amount of 0 is written 0.00 and gets code 21") {
    PaymentFields values = ExamplePayment();
    values.amount = 0;
    const ComPtr<HostPayment> payment = MakeHostObject<HostPayment>(values);
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"J. Smith & Co.\",\"INV 1042A\",\"654321\",\"87654321\","
                                 "\"0.00\",\"0\",\"99\""));
    CHECK(payment->StatusCodesSet() == std::vector<long>{21});
}

TEST_CASE("values the host fails to deliver count as empty") {
    const ComPtr<HostPayment> payment =
        MakeHostObject<HostPayment>(ExamplePayment(), FailingReads());
    const Written written = WriteLine(payment.Get());
    CHECK(written.line == LineOf("\"\",\"000000\",\"00000000\",\"0.00\",\"0\",\"99\""));
    CHECK(payment->StatusCodesSet() == std::vector<long>{30, 28, 29, 21});
}
