#pragma once
// Builds statement transaction files for the tests: label and transaction lines, and files
// written into a temporary folder that is removed with everything in it.
#include <string>
#include <vector>

// The fields of one transaction line; each is padded with blanks (or cut) to its width.
struct TransactionLineFields {
    std::string sortCode = "123456";
    std::string accountNumber = "12345678";
    std::string accountType = "0";
    std::string transactionCode = "17";
    std::string originatorSortCode = "654321";
    std::string originatorAccountNumber = "87654321";
    std::string unused = "    ";
    std::string amountInPence = "00000012345";
    std::string reference = "REFERENCE";
    std::string narrative1 = "ABC";
    std::string narrative2 = "DEF";
    std::string date = " 12060";
};

// A transaction line of exactly 106 characters.
std::string TransactionLine(const TransactionLineFields& fields = {});
// A label line: the identifier, then "x" filling it to the given length.
std::string LabelLine(const std::string& identifier, int length);
// A volume header label of the given length with the bank's mark "992087" at markPosition
// (counting from 1).
std::string VolumeHeaderLine(int length = 80, int markPosition = 42);
// The four header labels of a recognised file, each of its least accepted length.
std::vector<std::string> HeaderLines();
// A user trailer label of 80 characters.
std::string TrailerLine();

// A temporary folder for the files of one test, removed with its files when it goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes the lines, each followed by lineEnd, and returns the file's path.
    std::string WriteLines(const std::string& name, const std::vector<std::string>& lines,
                           const std::string& lineEnd = "\n") const;
    // Writes bytes exactly as given and returns the file's path.
    std::string WriteBytes(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};
