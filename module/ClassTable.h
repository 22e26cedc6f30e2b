#pragma once
#include "com/ComModule.h"

// The module's class table: Bank, BankServices, BankPaymentService, BankStatementService.
ComModule& CorvaneModule();
