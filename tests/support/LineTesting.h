#pragma once
// Helpers for tests of the payment file writers.
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <doctest/doctest.h>

#include "fixtures/TempFolder.h"
#include "hostkit/PaymentBatch.h"
#include "payments/PaymentFile.h"

// The bytes a writer stores in a new text-mode payment file (line feeds as CR LF).
template <typename Write> std::string WrittenBytes(Write write) {
    TempFolder folder;
    const std::string path = folder / "line.csv";
    PaymentFile file = PaymentFile::Open(path.c_str(), "w+");
    REQUIRE(file);
    write(file.Get());
    REQUIRE(file.Close());
    return ReadFileBytes(path);
}

inline DATE DateOf(WORD year, WORD month, WORD day) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    DATE date = 0;
    SystemTimeToVariantTime(&time, &date);
    return date;
}

// 150.50 from 12-34-56 12345678 ACME Supplies Ltd to 65-43-21 87654321 J. Smith & Co., BACS
// reference INV 1042/A: valid in both formats.
inline PaymentFields ExamplePayment() {
    PaymentFields values;
    values.amount = 150.5;
    values.payerSortCode = L"12-34-56";
    values.payerAccountNumber = L"12345678";
    values.payerAccountName = L"ACME Supplies Ltd";
    values.payeeBacsReference = L"INV 1042/A";
    values.payeeSortCode = L"65-43-21";
    values.payeeAccountNumber = L"87654321";
    values.payeeAccountName = L"J. Smith & Co.";
    return values;
}

// A host control that keeps the log of the calls.
inline std::shared_ptr<HostControl> LoggingControl() {
    auto control = std::make_shared<HostControl>();
    control->KeepLog();
    return control;
}

// A host control under which every field a payment named "Payment" serves fails to be read.
inline std::shared_ptr<HostControl> FailingReads() {
    auto control = std::make_shared<HostControl>();
    for (const char* property :
         {"Amount", "PayerSortCode", "PayerAccountNumber", "PayerAccountName", "PayeeBacsReference",
          "PayeeSortCode", "PayeeAccountNumber", "PayeeAccountName", "PayeeRollNumber",
          "Details"}) {
        control->Fail(std::string("Payment.") + property, E_FAIL);
    }
    return control;
}
