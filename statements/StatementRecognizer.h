#pragma once
// The recognition function the component hands to the host's statement file selector.

#include "hostcall/BankNames.h"

// 1 when the file at path is one of the bank's statement files (its volume header label carries
// the bank's mark); the description is then copied into description, which holds at least
// sizeof StatementFileDescription bytes. 0 otherwise, leaving description untouched.
// Of the type VelmoraStatementRecognizer.
int __cdecl RecognizeStatementFile(char* description, const char* path);
