#include "payments/PaymentFields.h"

#include "payments/FieldPreparation.h"

namespace {
constexpr int SortCodeWidth = 6;
constexpr int AccountNumberWidth = 8;
} // namespace

FieldText SortCodeField(const wchar_t* host) {
    return ZeroPad(DigitsOnlyText(host).Head(SortCodeWidth), SortCodeWidth);
}

FieldText AccountNumberField(const wchar_t* host) {
    return ZeroPad(QuotedFieldSafe(NarrowText(host)).Head(AccountNumberWidth), AccountNumberWidth);
}
