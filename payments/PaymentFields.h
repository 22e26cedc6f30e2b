#pragma once
// Reading a host payment's values, and the field texts both payment file formats share.
#include <windows.h>
#include <VelmoraBankPayments.h>

#include "com/Bstr.h"
#include "payments/FieldText.h"

// A text property of the host payment, such as &IVelmoraPayment::get_PayeeSortCode.
using PaymentTextProperty = HRESULT (STDMETHODCALLTYPE IVelmoraPayment::*)(BSTR*);

// The property's text; empty when the host fails to deliver it, so that the rules then judge
// an empty value.
Bstr ReadPaymentText(IVelmoraPayment* payment, PaymentTextProperty property);

// The payment's amount; 0 when the host fails to deliver it (which fails the amount rule).
double ReadPaymentAmount(IVelmoraPayment* payment);

// A sort code as written: its digits, the first six, zero-padded to six.
FieldText SortCodeField(const wchar_t* host);

// An account number as written: its narrow text less any character that would break the quoted
// field, the first eight, zero-padded to eight.
FieldText AccountNumberField(const wchar_t* host);
