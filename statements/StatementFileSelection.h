#pragma once
#include <windows.h>

// The chosen path is kept in a buffer of the platform's path limit.
constexpr int StatementPathSize = MAX_PATH;

// Lets the user choose a statement file through the host's statement file selector, which is
// handed RecognizeStatementFile, after the host's configuration object has been asked for the
// bank's statement settings. True with the chosen path in path when a file was chosen (empty
// when the ANSI code page cannot hold the path exactly); false with an empty path otherwise.
// Raises a ComError when a host object cannot be created or its call fails, and E_INVALIDARG
// when the chosen path does not fit the buffer.
bool SelectStatementFile(char (&path)[StatementPathSize]);
