#pragma once
#include <istream>

#include "text/CString.h"

// Statement files are read line by line into a buffer of this size: a line holds at most
// LineBufferSize - 1 characters.
constexpr int LineBufferSize = 1024;

// Reads the next line (up to the line feed, which is not kept) into line and returns its length
// (up to a NUL the line may hold). A line longer than the buffer keeps its first
// LineBufferSize - 1 characters; the rest of it is skipped so that the next read starts on the
// following line. At the end of the file, or once the stream has failed, the line is empty.
int ReadStatementLine(std::istream& stream, char (&line)[LineBufferSize]);

// The same, into a text.
void ReadStatementLine(std::istream& stream, CString& line);
