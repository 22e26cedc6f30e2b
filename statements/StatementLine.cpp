#include "statements/StatementLine.h"

#include <cstring>
#include <limits>

int ReadStatementLine(std::istream& stream, char (&line)[LineBufferSize]) {
    line[0] = '\0';
    stream.getline(line, LineBufferSize, '\n');
    // Characters stored: the count extracted, less the line feed when one ended the line.
    std::streamsize stored = stream.gcount();
    if (stream.fail()) {
        const bool bufferFilled = !stream.eof() && stored == LineBufferSize - 1;
        if (bufferFilled) {
            stream.clear();
            stream.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        }
    } else if (!stream.eof()) {
        --stored;
    }
    // As a text, the line ends at a NUL it may hold.
    const void* end = std::memchr(line, '\0', static_cast<size_t>(stored));
    return end != nullptr ? static_cast<int>(static_cast<const char*>(end) - line)
                          : static_cast<int>(stored);
}

void ReadStatementLine(std::istream& stream, CString& line) {
    char buffer[LineBufferSize];
    ReadStatementLine(stream, buffer);
    line.Assign(buffer);
}
