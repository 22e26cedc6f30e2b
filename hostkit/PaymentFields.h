#pragma once
#include <string>

// One payment as the host keeps it: the properties its IVelmoraPayment serves.
struct PaymentFields {
    double amount = 0.0;
    std::wstring payerSortCode;
    std::wstring payerAccountNumber;
    std::wstring payerAccountName;
    std::wstring payeeBacsReference;
    std::wstring payeeSortCode;
    std::wstring payeeAccountNumber;
    std::wstring payeeAccountName;
    std::wstring payeeRollNumber;
    std::wstring details;
};
