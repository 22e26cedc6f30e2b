#pragma once
#include <cstddef>

// The names by which the component shows itself to the host, each written here only.

// The bank this component serves, as it is handed to the host.
constexpr char BankName[] = "Northern Bank";

// The display names of the two services on the bank's list.
constexpr const wchar_t* PaymentServiceName = L"Bank Payment Service";
constexpr const wchar_t* StatementServiceName = L"Bank Reconciliation Service";

// The description the host's file selector is given for a recognised statement file: 22
// characters and the terminator.
constexpr char StatementFileDescription[] = "Northen Bank Statement";

// Fills a narrow buffer of the given size with the bank's name followed by zero bytes to its end,
// as the host's configuration calls expect.
void CopyBankName(char* buffer, std::size_t size);
