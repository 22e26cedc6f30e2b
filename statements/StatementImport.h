#pragma once
#include <windows.h>

#include <VelmoraBankReconciliation.h>

#include "text/CString.h"

// Values of the statement service's Status after an import.
enum StatementImportStatus : long { Completed = 0, NoFileSelected = 1 };

// The statement service's ImportStatement, run inside the service's MethodErrorGuard: lets the
// user choose a statement file through the host's selector, reads it, and hands every
// transaction of the host's bank account to the host's statement as a new transaction, numbered
// from 1. bankSortCode and bankAccountNumber are the service's account texts, kept between
// imports; status is the service's Status. Returns S_OK; host failures are raised as ComError,
// other failures as result codes.
HRESULT ImportStatement(IVelmoraBankAccount* account, IVelmoraBankStatement* statement,
                        CString& bankSortCode, CString& bankAccountNumber, long& status);
