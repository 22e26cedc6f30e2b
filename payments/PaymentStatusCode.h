#pragma once
// The status codes a failed rule leaves on the host's payment. The message of code c is
// string-table entry 300 + c.
enum PaymentStatusCode : long {
    InvalidAmount = 21,
    InvalidPayerSortCode = 23,
    InvalidPayerAccountNumber = 24,
    InvalidPayeeSortCode = 28,
    InvalidPayeeAccountNumber = 29,
    InvalidPayeeAccountName = 30,
};
