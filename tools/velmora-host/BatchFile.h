#pragma once
#include "hostkit/PaymentFields.h"
#include "tools/velmora-host/Csv.h"

#include <string_view>
#include <vector>

// Reads a payment batch file: UTF-8 comma-separated text whose header row names payment
// properties (Amount, PayerSortCode, PayerAccountNumber, PayerAccountName, PayeeBacsReference,
// PayeeSortCode, PayeeAccountNumber, PayeeAccountName, PayeeRollNumber, Details) in any order;
// a property without a column is empty (Amount 0). Every further record is one payment.
// Throws CsvError naming the line of the first fault: malformed comma-separated text, an
// unknown or repeated column, a record with a different number of fields than the header, an
// amount that is not a finite decimal number, or text that is not UTF-8.
struct PaymentBatchFile {
    std::vector<PaymentFields> payments;
    // The line of the file on which each payment's record starts, so a user can find it.
    std::vector<int> lines;
};
PaymentBatchFile ReadPaymentBatch(std::string_view text);
