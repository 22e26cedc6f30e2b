#pragma once
// Writing the payment file where the user chose, and the per-user virtual store into which
// Windows redirects the writes of programs without administrative rights.
#include "payments/PaymentFile.h"
#include "text/CString.h"

// True when the process runs with administrative rights (it may open HKEY_USERS\S-1-5-19 with
// full access).
bool HasAdministrativeRights();

// Where the virtual store keeps a file written to the chosen path: the user's local application
// data folder, "\virtualstore", then the chosen path without its drive, so C:\Payments\pay.csv
// becomes <local application data>\virtualstore\Payments\pay.csv. Empty when the chosen path
// does not begin with a drive (a network path has no virtual store) or the folder is unknown.
CString RedirectedPath(const char* chosenPath);

// Opens the payment file, created or emptied, for reading and writing in text mode. When the
// chosen path cannot be opened and the process has no administrative rights, the redirected path
// is tried instead (its folders are not created). An empty PaymentFile when neither opens.
PaymentFile OpenPaymentFile(const char* chosenPath, const CString& redirectedPath,
                            bool administrativeRights);

// After the payment file is closed: when the process has no administrative rights and a file
// exists at the redirected path, tells the user that the file went there and, on Yes, opens its
// folder in a file browser window.
void ShowRedirectNotice(const CString& redirectedPath, bool administrativeRights);
