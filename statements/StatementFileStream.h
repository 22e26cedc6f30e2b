#pragma once
#include <fstream>
#include <ios>
#include <memory>

#include "statements/StatementLine.h"

// The input file stream of a statement file reader. Its lines are those that ReadStatementLine
// reads from a standard input file stream opened on the same file with the same mode, and the
// stream ends where that one would fail. They are taken straight from the file buffer's data:
// one scan and one copy a line, without the stream's work for every extraction.
class StatementFileStream {
public:
    StatementFileStream();

    // Opens the file for input in the given mode. False when it cannot be opened or this
    // stream is open already; reads then yield nothing.
    bool Open(const char* path, std::ios_base::openmode mode);
    bool IsOpen() const { return file_.is_open(); }
    void Close() { file_.close(); }

    // The next line, without its line feed, and its length up to a NUL it may hold. A line
    // longer than the buffer keeps its first LineBufferSize - 1 characters and the rest of it is
    // skipped. Once the end of the file has been met, or when the file is not open, the line
    // is empty.
    int ReadLine(char (&line)[LineBufferSize]);

private:
    // A standard file buffer that shows the characters it holds.
    class FileBuffer : public std::filebuf {
    public:
        // The characters held, read from the file when none are; null at the end of the file.
        const char* Held(int& count);
        void Consume(int count) { gbump(count); }
    };

    // Skips what is left of the current line, its line feed included.
    void SkipRestOfLine();

    // A larger buffer than the file buffer's own: fewer reads from the file.
    std::unique_ptr<char[]> bufferSpace_;
    FileBuffer file_;
    // Where a standard stream would have met the end of the file or failed: nothing more is read
    // until the stream is opened again.
    bool ended_ = false;
};
