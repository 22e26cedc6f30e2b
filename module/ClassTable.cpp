#include "module/ClassTable.h"

#include <VelmoraEBanking.h>

#include "bank/Bank.h"
#include "bank/BankPaymentService.h"
#include "bank/BankServices.h"
#include "bank/BankStatementService.h"

// The classes' REGISTRY resources, numbered by the build from the IDL.
#include "registry/RegistryScripts.h"

namespace {

// Only the bank is found by the host through its category of bank components.
const CATID bankCategories[] = {CATID_VelmoraBankComponents};

const ComClassEntry classTable[] = {
    {CBank::ClassId, &CBank::CreateInstance, BankRegistryScript, bankCategories, 1},
    {CBankServices::ClassId, &CBankServices::CreateInstance, BankServicesRegistryScript, nullptr,
     0},
    {CBankPaymentService::ClassId, &CBankPaymentService::CreateInstance,
     BankPaymentServiceRegistryScript, nullptr, 0},
    {CBankStatementService::ClassId, &CBankStatementService::CreateInstance,
     BankStatementServiceRegistryScript, nullptr, 0},
};

} // namespace

ComModule& CorvaneModule() {
    static ComModule module(classTable);
    return module;
}
