#include "module/ClassTable.h"

#include <VelmoraEBanking.h>

#include "bank/Bank.h"
#include "bank/BankPaymentService.h"
#include "bank/BankServices.h"
#include "bank/BankStatementService.h"
#include "module/RegistryScripts.h"

namespace {

// Only the bank is found by the host through its category of bank components.
const CATID bankCategories[] = {CATID_VelmoraBankComponents};

const ComClassEntry classTable[] = {
    {&CLSID_Bank, &CBank::CreateInstance, BankRegistryScript, bankCategories, 1},
    {&CLSID_BankServices, &CBankServices::CreateInstance, BankServicesRegistryScript, nullptr, 0},
    {&CLSID_BankPaymentService, &CBankPaymentService::CreateInstance,
     BankPaymentServiceRegistryScript, nullptr, 0},
    {&CLSID_BankStatementService, &CBankStatementService::CreateInstance,
     BankStatementServiceRegistryScript, nullptr, 0},
};

} // namespace

ComModule& CorvaneModule() {
    static ComModule module(classTable);
    return module;
}
