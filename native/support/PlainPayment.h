#pragma once
// A payment of plain values as the line writers' source, recording the status codes the rules
// set, in order.
#include <string>
#include <vector>

#include "payments/PaymentSource.h"

struct PlainPayment : PaymentSource {
    double amount = 0.0;
    // By PaymentText, in its order.
    std::wstring texts[9];
    std::vector<PaymentStatusCode> codes;

    std::wstring& operator[](PaymentText value) { return texts[static_cast<int>(value)]; }

    PaymentTextValue Text(PaymentText value) override {
        const std::wstring& text = (*this)[value];
        return {text.c_str(), text.size()};
    }
    double Amount() override { return amount; }
    void SetStatusCode(PaymentStatusCode code) override { codes.push_back(code); }
};
