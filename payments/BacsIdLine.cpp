#include "payments/BacsIdLine.h"

#include "payments/FieldPreparation.h"
#include "payments/PaymentFields.h"
#include "payments/PaymentValidation.h"
#include "payments/QuotedLine.h"

namespace {

constexpr int NameWidth = 18;
constexpr int ReferenceWidth = 18;

// The payee account name is not cleaned, so its punctuation stays; only what would end the
// quoted field is left out, and that makes the name invalid.
void AddPayeeName(PaymentSource& payment, PaymentChecks& checks, QuotedLine& line) {
    const PaymentTextValue host = payment.Text(PaymentText::PayeeAccountName);
    checks.Require(!host.Empty(), InvalidPayeeAccountName);
    if (host.Empty()) {
        return;
    }
    const FieldText name = StripQuotes(NarrowText(host.text));
    checks.Require(!BreaksQuotedField(name), InvalidPayeeAccountName);
    line.Add(QuotedFieldSafe(name).Head(NameWidth));
}

// The first of roll number, BACS reference and details that is not empty.
PaymentTextValue ReadReference(PaymentSource& payment) {
    PaymentTextValue reference = payment.Text(PaymentText::PayeeRollNumber);
    if (reference.Empty()) {
        reference = payment.Text(PaymentText::PayeeBacsReference);
    }
    if (reference.Empty()) {
        reference = payment.Text(PaymentText::Details);
    }
    return reference;
}

} // namespace

bool WriteBacsIdLine(PaymentSource& payment, std::FILE* file) {
    PaymentChecks checks(payment);
    QuotedLine line;
    AddPayeeName(payment, checks, line);

    const PaymentTextValue reference = ReadReference(payment);
    line.Add(CleanText(StripQuotes(NarrowText(reference.text))).Head(ReferenceWidth));

    const PaymentTextValue sortCode = payment.Text(PaymentText::PayeeSortCode);
    checks.Require(IsValidSortCode(sortCode.text), InvalidPayeeSortCode);
    line.Add(SortCodeField(sortCode.text));

    const PaymentTextValue account = payment.Text(PaymentText::PayeeAccountNumber);
    checks.Require(IsValidAccountNumber(account.text), InvalidPayeeAccountNumber);
    line.Add(AccountNumberField(account.text));

    const double amount = payment.Amount();
    checks.Require(IsValidAmount(amount), InvalidAmount);
    line.Add(AmountText(amount));

    line.Add("0");
    line.Add("99");
    line.WriteTo(file);
    return checks.AllPassed();
}
