#pragma once
// REGISTRY resources of the module's classes (Corvane.rc).
#define BankRegistryScript 101
#define BankServicesRegistryScript 102
#define BankPaymentServiceRegistryScript 103
#define BankStatementServiceRegistryScript 104
