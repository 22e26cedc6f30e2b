#pragma once
// Helpers for tests of the payment file writers.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <doctest/doctest.h>

#include "payments/PaymentFile.h"
#include "payments/TempFolder.h"

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
