#pragma once
// The common save dialog in which the user chooses the payment file.
#include <windows.h>

#include <string>

#include "text/CString.h"

// The dialog's filter: the description "Payment Files (*.ext)" with the pattern "*.ext", then
// "All Files (*.*)" with "*.*"; each text ends in a NUL and the list in a second one. With an
// empty extension only the "All Files (*.*)" entry.
std::string BuildPaymentFileFilter(const char* extension);

// Shows the save dialog owned by the active window, proposing the initial path (cut to 259
// characters) and appending the extension to a name typed without one; it takes paths as long as
// Windows allows. True, with the chosen path, when the user chose a file; false when the user
// cancelled or the dialog failed. A chosen path that the ANSI code page cannot hold exactly, or
// that is longer than the dialog's buffer, comes back empty, naming no file.
bool ChoosePaymentFile(const CString& initialPath, const char* extension, const std::string& filter,
                       CString& chosenPath);
