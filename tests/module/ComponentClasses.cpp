#include "module/ComponentClasses.h"

const ComponentClass ComponentClasses[4] = {
    {&CLSID_Bank, L"Bank", L"Bank Class", L"Corvane.Bank.1", L"Corvane.Bank",
     L"{CBA42988-78FD-436D-9DB5-E1E4144195AC}"},
    {&CLSID_BankServices, L"BankServices", L"BankServices Class", L"Corvane.BankServices.1",
     L"Corvane.BankServices", L"{E4F633E8-9C7E-4CAF-9778-95A6C5716434}"},
    {&CLSID_BankPaymentService, L"BankPaymentService", L"BankPaymentService Class",
     L"Corvane.BankPaymentService.1", L"Corvane.BankPaymentService",
     L"{EE66D717-648C-4963-95BA-ED343DAFEC25}"},
    {&CLSID_BankStatementService, L"BankStatementService", L"BankStatementService Class",
     L"Corvane.BankStatementService.1", L"Corvane.BankStatementService",
     L"{8CF773C3-2903-46C2-9B1D-18496E437435}"},
};
