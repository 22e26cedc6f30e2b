#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

// Texts of the host's reports.

// YYYY-MM-DD of an OLE Automation date; the empty text when it is no calendar date.
std::string IsoDate(DATE date);
// Two decimals, as the payment file writes amounts.
std::string AmountText(double amount);
