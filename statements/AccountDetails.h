#pragma once
#include <VelmoraEBanking.h>

#include "statements/TransactionRecord.h"
#include "text/CString.h"

// Longest account text taken from the host.
constexpr int AccountTextLength = 32;

// Reads the host bank account's details into the account texts: the account number as given
// (at most 32 characters) and the sort code with everything but its digits removed. When the
// details cannot be obtained, or a text is not given, the texts keep their earlier values.
// A missing account raises a ComError (E_POINTER).
void ReadAccountDetails(IVelmoraBankAccount* account, CString& bankSortCode,
                        CString& bankAccountNumber);

// Whether the record is a transaction of the account: the record's sort code and account number
// equal the account texts byte for byte.
bool MatchesAccount(const CTransactionRecord& record, const CString& bankSortCode,
                    const CString& bankAccountNumber);
