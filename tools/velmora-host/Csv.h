#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as RFC 4180 describes it: fields separated by commas, records by line
// ends (CR LF, LF or CR), fields that hold commas, quotes or line ends enclosed in double quotes
// with inner quotes doubled. Empty lines are passed over; a leading UTF-8 byte order mark is
// dropped. Field bytes are returned as they stand.

struct CsvRecord {
    int line; // the line of the text on which the record begins, from 1
    std::vector<std::string> fields;
};

class CsvError : public std::runtime_error {
public:
    CsvError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

// Throws CsvError naming the line of the first fault.
std::vector<CsvRecord> ParseCsv(std::string_view text);
