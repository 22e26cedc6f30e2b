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
void AddPayeeName(IVelmoraPayment* payment, PaymentChecks& checks, QuotedLine& line) {
    const Bstr host = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeAccountName);
    checks.Require(!host.Empty(), InvalidPayeeAccountName);
    if (host.Empty()) {
        return;
    }
    const FieldText name = StripQuotes(NarrowText(host.Get()));
    checks.Require(!BreaksQuotedField(name), InvalidPayeeAccountName);
    line.Add(QuotedFieldSafe(name).Head(NameWidth));
}

// The first of roll number, BACS reference and details that is not empty.
Bstr ReadReference(IVelmoraPayment* payment) {
    Bstr reference = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeRollNumber);
    if (reference.Empty()) {
        reference = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeBacsReference);
    }
    if (reference.Empty()) {
        reference = ReadPaymentText(payment, &IVelmoraPayment::get_Details);
    }
    return reference;
}

} // namespace

bool WriteBacsIdLine(IVelmoraPayment* payment, std::FILE* file) {
    PaymentChecks checks(payment);
    QuotedLine line;
    AddPayeeName(payment, checks, line);

    const Bstr reference = ReadReference(payment);
    line.Add(CleanText(StripQuotes(NarrowText(reference.Get()))).Head(ReferenceWidth));

    const Bstr sortCode = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeSortCode);
    checks.Require(IsValidSortCode(sortCode.Get()), InvalidPayeeSortCode);
    line.Add(SortCodeField(sortCode.Get()));

    const Bstr account = ReadPaymentText(payment, &IVelmoraPayment::get_PayeeAccountNumber);
    checks.Require(IsValidAccountNumber(account.Get()), InvalidPayeeAccountNumber);
    line.Add(AccountNumberField(account.Get()));

    const double amount = ReadPaymentAmount(payment);
    checks.Require(IsValidAmount(amount), InvalidAmount);
    line.Add(AmountText(amount));

    line.Add("0");
    line.Add("99");
    line.WriteTo(file);
    return checks.AllPassed();
}
