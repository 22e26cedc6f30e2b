#include "payments/PaymentValidation.h"

#include <cmath>

#include "payments/FieldPreparation.h"

namespace {
constexpr double SmallestAmount = 0.000005;
constexpr int SortCodeDigits = 6;
constexpr int AccountNumberLength = 8;
} // namespace

bool IsValidAmount(double amount) {
    return std::isfinite(amount) && amount > SmallestAmount;
}

bool IsValidSortCode(const wchar_t* host) {
    return DigitsOnlyText(host).Length() == SortCodeDigits;
}

bool IsValidAccountNumber(const wchar_t* host) {
    const FieldText number = NarrowText(host);
    return number.Length() == AccountNumberLength && IsNarrowable(host) &&
           !BreaksQuotedField(number);
}

void PaymentChecks::Require(bool passed, PaymentStatusCode failure) {
    if (passed) {
        return;
    }
    payment_.SetStatusCode(failure);
    allPassed_ = false;
}
