#include "payments/OneToOneLine.h"

#include <oleauto.h>

#include "payments/FieldPreparation.h"
#include "payments/PaymentFields.h"
#include "payments/PaymentValidation.h"
#include "payments/QuotedLine.h"

namespace {

constexpr int NameWidth = 18;
constexpr int ProcessingDateWidth = 8;

FieldText CleanName(const Bstr& host) {
    return CleanText(NarrowText(host.Get())).Head(NameWidth);
}

} // namespace

FieldText FormatProcessingDate(DATE processingDate) {
    SYSTEMTIME date = {};
    VariantTimeToSystemTime(processingDate, &date);
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

bool WriteOneToOneLine(std::FILE* file, DATE processingDate, IVelmoraPayment* payment) {
    PaymentChecks checks(payment);
    QuotedLine line;
    line.Add("CMGB");
    line.Add("1.0");

    const Bstr payerSortCode = ReadPaymentText(payment, &IVelmoraPayment::get_PayerSortCode);
    checks.Require(IsValidSortCode(payerSortCode.Get()), InvalidPayerSortCode);
    const Bstr payerAccount = ReadPaymentText(payment, &IVelmoraPayment::get_PayerAccountNumber);
    checks.Require(IsValidAccountNumber(payerAccount.Get()), InvalidPayerAccountNumber);
    line.Add(SortCodeField(payerSortCode.Get()), AccountNumberField(payerAccount.Get()));
    line.AddEmpty();

    const Bstr payeeSortCode = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeSortCode);
    checks.Require(IsValidSortCode(payeeSortCode.Get()), InvalidPayeeSortCode);
    const Bstr payeeAccount = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeAccountNumber);
    checks.Require(IsValidAccountNumber(payeeAccount.Get()), InvalidPayeeAccountNumber);
    line.Add(SortCodeField(payeeSortCode.Get()), AccountNumberField(payeeAccount.Get()));

    const double amount = ReadPaymentAmount(payment);
    checks.Require(IsValidAmount(amount), InvalidAmount);
    line.Add(AmountText(amount));

    line.Add(FormatProcessingDate(processingDate));
    line.Add("GBP");
    line.Add("F");

    const Bstr payeeName = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeAccountName);
    checks.Require(!payeeName.Empty(), InvalidPayeeAccountName);
    const FieldText payeeField = CleanName(payeeName);
    line.Add(payeeField);
    line.Add(payeeField);

    const FieldText payerField =
        CleanName(ReadPaymentText(payment, &IVelmoraPayment::get_PayerAccountName));
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
