#include <doctest/doctest.h>

#include <sstream>
#include <string>

#include "fixtures/StatementFiles.h"
#include "statements/StatementDate.h"
#include "statements/StatementLine.h"
#include "statements/TransactionFields.h"
#include "statements/TransactionRecord.h"

namespace {

using RecordError = CTransactionRecord::RecordError;

// The record extracted from the first line of text.
CTransactionRecord Extract(const std::string& text) {
    std::istringstream stream(text);
    CTransactionRecord record;
    stream >> record;
    return record;
}

double AmountOf(const std::string& pence) {
    TransactionLineFields fields;
    fields.amountInPence = pence;
    return Extract(TransactionLine(fields)).GetAmount();
}

DATE DateOf(const char* field) {
    return ConvertStatementDate(CString(field));
}

bool IsCreditCode(const char* code) {
    CTransactionRecord record;
    record.TransactionCode = code;
    return record.IsCredit();
}

// A record holding a transaction, to see that extraction clears it.
CTransactionRecord FilledRecord() {
    return Extract(TransactionLine());
}

} // namespace

TEST_CASE("a transaction line decodes into every field exactly as it stands") {
    TransactionLineFields fields;
    fields.sortCode = "12 456";
    fields.accountNumber = "1234567A";
    fields.accountType = "3";
    fields.transactionCode = "93";
    fields.originatorSortCode = "654321";
    fields.originatorAccountNumber = "8765432 ";
    fields.reference = " LEADING BLANK";
    const CTransactionRecord record = Extract(TransactionLine(fields) + "\n");

    CHECK(record.HoldsTransaction());
    CHECK(std::string(record.GetSortCode().Text()) == "12 456");
    CHECK(std::string(record.GetAccountNumber().Text()) == "1234567A");
    CHECK(std::string(record.AccountType.Text()) == "3");
    CHECK(std::string(record.TransactionCode.Text()) == "93");
    CHECK(std::string(record.OriginatorSortCode.Text()) == "654321");
    CHECK(std::string(record.OriginatorAccountNumber.Text()) == "8765432 ");
    CHECK(record.GetAmount() == doctest::Approx(123.45));
    CHECK(std::string(record.GetReference().Text()) == " LEADING BLANK    ");
    CHECK(std::string(record.Narrative1.Text()) == "ABC" + std::string(15, ' '));
    CHECK(std::string(record.Narrative2.Text()) == "DEF" + std::string(15, ' '));
    CHECK(std::string(record.DateText.Text()) == " 12060");
    CHECK(record.GetDate() == 40968.0); // 29 February 2012
}

TEST_CASE("only the first 106 characters of a long line are used") {
    const std::string line = TransactionLine() + std::string(94, '9');
    CTransactionRecord record = Extract(line + "\n");
    CHECK(std::string(record.DateText.Text()) == " 12060");
    CHECK(record.GetDate() == 40968.0);
    CHECK(record.GetNarrative().Length() == 37);

    // A carriage return after the transaction is ignored the same way.
    record = Extract(TransactionLine() + "\r\n");
    CHECK(std::string(record.DateText.Text()) == " 12060");
}

TEST_CASE("user trailer labels end a volume only when shorter than a transaction line") {
    CTransactionRecord record = FilledRecord();
    std::istringstream trailer(LabelLine("UTL", 105) + "\n");
    CHECK_THROWS_AS(trailer >> record, CEndOfVolume);
    CHECK_FALSE(record.HoldsTransaction());
    CHECK(record.GetSortCode().Length() == 0);

    record = Extract(LabelLine("UTL", 106));
    CHECK(record.HoldsTransaction());
    CHECK(std::string(record.GetSortCode().Text()) == "UTLxxx");
}

TEST_CASE("other short lines are passed over with an empty record") {
    for (const std::string& line :
         {LabelLine("utl", 105), LabelLine("EOF", 105), LabelLine("HDR", 80), std::string("\r"),
          std::string("U"), TransactionLine().substr(0, 105)}) {
        CAPTURE(line);
        CTransactionRecord record = FilledRecord();
        std::istringstream stream(line + "\n" + TransactionLine() + "\n");
        stream >> record;
        CHECK_FALSE(record.HoldsTransaction());
        CHECK(record.GetSortCode().Length() == 0);
        CHECK(record.GetAmount() == 0.0);
        CHECK(record.GetDate() == 0.0);
        CHECK(record.GetNarrative().Length() == 0);
        // The stream stands on the next line.
        stream >> record;
        CHECK(record.HoldsTransaction());
    }
}

TEST_CASE("an empty line or the end of the data raises ErrNoRecord on a cleared record") {
    for (const std::string& text : {std::string("\n") + TransactionLine(), std::string()}) {
        CTransactionRecord record = FilledRecord();
        std::istringstream stream(text);
        CHECK_THROWS_AS(stream >> record, RecordError);
        CHECK_FALSE(record.HoldsTransaction());
        CHECK(record.GetSortCode().Length() == 0);
    }
    try {
        std::istringstream empty;
        CTransactionRecord record;
        empty >> record;
        FAIL("no error raised");
    } catch (RecordError error) {
        CHECK(error == CTransactionRecord::ErrNoRecord);
    }
}

TEST_CASE("a last line without a line feed is still read whole") {
    std::istringstream stream(TransactionLine());
    CTransactionRecord record;
    stream >> record;
    CHECK(record.HoldsTransaction());
    CHECK_THROWS_AS(stream >> record, RecordError);
}

TEST_CASE("amounts are pence read as by atoi, wide enough for eleven digits") {
    CHECK(AmountOf("00000000001") == doctest::Approx(0.01));
    CHECK(AmountOf("00000100000") == doctest::Approx(1000.00));
    CHECK(AmountOf("00000012345") == doctest::Approx(123.45));
    // Beyond the signed 32-bit range of pence.
    CHECK(AmountOf("02147483647") == doctest::Approx(21474836.47));
    CHECK(AmountOf("02147483648") == doctest::Approx(21474836.48));
    CHECK(AmountOf("99999999999") == doctest::Approx(999999999.99));
    CHECK(AmountOf("     123   ") == doctest::Approx(1.23));
    CHECK(AmountOf("-0000000050") == doctest::Approx(-0.50));
    CHECK(AmountOf("+0000000050") == doctest::Approx(0.50));
    CHECK(AmountOf("00000012A45") == doctest::Approx(0.12));
    CHECK(AmountOf("ABCDEFGHIJK") == 0.0);
    CHECK(AmountOf("           ") == 0.0);
}

TEST_CASE("statement dates are a year within its century and a day of that year") {
    CHECK(DateOf(" 12060") == 40968.0); // 29 February 2012
    CHECK(DateOf(" 11060") == 40603.0); // 1 March 2011
    CHECK(DateOf(" 99365") == 36525.0); // 31 December 1999
    CHECK(DateOf(" 00366") == 36891.0); // 31 December 2000
    CHECK(DateOf(" 12366") == 41274.0); // 31 December 2012
    CHECK(DateOf(" 29001") == 47119.0); // 1 January 2029
    CHECK(DateOf(" 30001") == 10959.0); // 1 January 1930
    CHECK(DateOf(" 12001") == 40909.0); // 1 January 2012
    CHECK(DateOf(" 11059") == 40602.0); // 28 February 2011
    CHECK(DateOf(" 49001") == 17899.0); // 1 January 1949
    CHECK(DateOf(" 50001") == 18264.0); // 1 January 1950
}

TEST_CASE("transaction codes 90, 93, 95 and 99 are credits, all others are not") {
    for (const char* code : {"90", "93", "95", "99"}) {
        CAPTURE(code);
        CHECK(IsCreditCode(code));
    }
    for (const char* code : {"17", "01", "91", "09", "9 ", " 9", "", "990"}) {
        CAPTURE(code);
        CHECK_FALSE(IsCreditCode(code));
    }
    TransactionLineFields fields;
    fields.transactionCode = "95";
    CHECK(Extract(TransactionLine(fields)).IsCredit());
}

TEST_CASE("the narrative joins its two parts with one blank") {
    CTransactionRecord record;
    CHECK(record.GetNarrative().Length() == 0);
    record.Narrative2 = "SECOND";
    CHECK(std::string(record.GetNarrative().Text()) == " SECOND");
    record.Narrative1 = "FIRST";
    CHECK(std::string(record.GetNarrative().Text()) == "FIRST SECOND");
    record.Narrative2 = "";
    CHECK(std::string(record.GetNarrative().Text()) == "FIRST");
    record.Clear();
    CHECK(record.GetNarrative().Length() == 0);

    const std::string expected = "ABC" + std::string(15, ' ') + " DEF" + std::string(15, ' ');
    CHECK(std::string(FilledRecord().GetNarrative().Text()) == expected);
}

TEST_CASE("TakeField cuts fields off the front of a line") {
    CString line("ABCDEFG");
    CHECK(std::string(TakeField(line, 3).Text()) == "ABC");
    CHECK(std::string(line.Text()) == "DEFG");
    CHECK(std::string(TakeField(line, 0).Text()).empty());
    CHECK(std::string(line.Text()) == "DEFG");
    CHECK(std::string(TakeField(line, 10).Text()) == "DEFG");
    CHECK(line.Length() == 0);
}

TEST_CASE("FieldCutter cuts fields in place and leaves the line as it was") {
    char line[] = "ABCD 0042XYZ";
    FieldCutter fields(line, 12);
    CString first;
    CString second;
    fields.TakeField(3, first);
    fields.Skip(1);
    const long long number = fields.TakeInteger(5);
    fields.TakeField(2, second);
    CHECK(std::string(first.Text()) == "ABC");
    CHECK(number == 42);
    CHECK(std::string(second.Text()) == "XY");
    CHECK(std::string(line) == "ABCD 0042XYZ");
    // Past the end of the line fields come back short, then empty.
    fields.TakeField(5, first);
    CHECK(std::string(first.Text()) == "Z");
    fields.TakeField(5, first);
    CHECK(first.Length() == 0);
    CHECK(fields.TakeInteger(3) == 0);
    CHECK(std::string(line) == "ABCD 0042XYZ");
}

TEST_CASE("a user trailer label begins UTL exactly") {
    CHECK(IsUserTrailerLabel("UTL"));
    CHECK(IsUserTrailerLabel("UTL1xxxx"));
    for (const char* line : {"", "UT", "utl1", "Utl1", " UTL1", "HDR1"}) {
        CAPTURE(line);
        CHECK_FALSE(IsUserTrailerLabel(line));
    }
}

TEST_CASE("lines longer than the buffer keep their head and the next line follows") {
    const std::string exact(LineBufferSize - 1, 'a');
    const std::string over(LineBufferSize, 'b');
    const std::string longest(3 * LineBufferSize, 'c');
    std::istringstream stream(exact + "\n" + over + "\n" + longest + "\nnext\n" + exact);
    CString line;
    ReadStatementLine(stream, line);
    CHECK(std::string(line.Text()) == exact);
    ReadStatementLine(stream, line);
    CHECK(std::string(line.Text()) == std::string(LineBufferSize - 1, 'b'));
    ReadStatementLine(stream, line);
    CHECK(std::string(line.Text()) == std::string(LineBufferSize - 1, 'c'));
    ReadStatementLine(stream, line);
    CHECK(std::string(line.Text()) == "next");
    ReadStatementLine(stream, line);
    CHECK(std::string(line.Text()) == exact);
    ReadStatementLine(stream, line);
    CHECK(line.Length() == 0);
}
