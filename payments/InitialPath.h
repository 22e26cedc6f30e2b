#pragma once
// The path the save dialog proposes for a payment file, from the bank's configured default
// directory and default file name.
#include "text/CString.h"

// The path with a backslash at its end (an empty path becomes a single backslash).
CString EnsureTrailingBackslash(const CString& path);

// The default directory joined with the default file name when the directory exists (a search
// for "*.*" in it finds an entry). Otherwise the user is told, in the "Invalid default path"
// message, that the root of drive C: is used instead, and the path is "C:\" and the file name.
// The root of drive A: is never reported missing.
CString BuildInitialPath(const char* defaultFileName, const char* defaultDirectory);
