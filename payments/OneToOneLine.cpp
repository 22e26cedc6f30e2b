#include "payments/OneToOneLine.h"

#include "payments/FieldPreparation.h"
#include "payments/PaymentFields.h"
#include "payments/PaymentValidation.h"
#include "payments/QuotedLine.h"
#include "platform/VariantTime.h"

namespace {

constexpr int NameWidth = 18;
constexpr int ProcessingDateWidth = 8;

FieldText CleanName(const PaymentTextValue& host) {
    return CleanText(NarrowText(host.text)).Head(NameWidth);
}

// A sort code and an account number, checked by the rules, joined in one field.
void AddSortCodeAndAccountNumber(PaymentSource& payment, PaymentChecks& checks, QuotedLine& line,
                                 PaymentText sortCodeValue, PaymentStatusCode sortCodeFailure,
                                 PaymentText accountValue, PaymentStatusCode accountFailure) {
    const PaymentTextValue sortCode = payment.Text(sortCodeValue);
    checks.Require(IsValidSortCode(sortCode.text), sortCodeFailure);
    const FieldText sortCodeField = SortCodeField(sortCode.text);
    const PaymentTextValue account = payment.Text(accountValue);
    checks.Require(IsValidAccountNumber(account.text), accountFailure);
    line.Add(sortCodeField, AccountNumberField(account.text));
}

} // namespace

FieldText FormatProcessingDate(DATE processingDate) {
    SYSTEMTIME date = {};
    PartsFromDate(processingDate, date);
    // DDMMYYYY, digit by digit: this runs for every line of a file.
    const int digits[ProcessingDateWidth] = {
        date.wDay / 10,         date.wDay % 10,        date.wMonth / 10,     date.wMonth % 10,
        date.wYear / 1000 % 10, date.wYear / 100 % 10, date.wYear / 10 % 10, date.wYear % 10};
    FieldText text;
    for (const int digit : digits) {
        text.Append(static_cast<char>('0' + digit));
    }
    return text;
}

bool WriteOneToOneLine(std::FILE* file, DATE processingDate, PaymentSource& payment) {
    PaymentChecks checks(payment);
    QuotedLine line;
    line.Add("CMGB");
    line.Add("1.0");

    AddSortCodeAndAccountNumber(payment, checks, line, PaymentText::PayerSortCode,
                                InvalidPayerSortCode, PaymentText::PayerAccountNumber,
                                InvalidPayerAccountNumber);
    line.AddEmpty();
    AddSortCodeAndAccountNumber(payment, checks, line, PaymentText::PayeeSortCode,
                                InvalidPayeeSortCode, PaymentText::PayeeAccountNumber,
                                InvalidPayeeAccountNumber);

    const double amount = payment.Amount();
    checks.Require(IsValidAmount(amount), InvalidAmount);
    line.Add(AmountText(amount));

    line.Add(FormatProcessingDate(processingDate));
    line.Add("GBP");
    line.Add("F");

    const PaymentTextValue payeeName = payment.Text(PaymentText::PayeeAccountName);
    checks.Require(!payeeName.Empty(), InvalidPayeeAccountName);
    const FieldText payeeField = CleanName(payeeName);
    line.Add(payeeField);
    line.Add(payeeField);

    const FieldText payerField = CleanName(payment.Text(PaymentText::PayerAccountName));
    line.Add(payerField);
    for (int i = 0; i < 4; ++i) {
        line.AddEmpty();
    }
    line.Add(payerField);
    line.AddEmpty();
    line.AddEmpty();

    line.WriteTo(file);
    return checks.AllPassed();
}
