#pragma once
#include <cstddef>

// The bank this component serves, as it is handed to the host.
constexpr char BankName[] = "Northern Bank";

// Fills a narrow buffer of the given size with the bank's name followed by zero bytes to its end,
// as the host's configuration calls expect.
void CopyBankName(char* buffer, std::size_t size);
