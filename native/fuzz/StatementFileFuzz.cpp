// A whole statement file through the reader: every record handed on is the next transaction
// line of the file, of at least 106 characters, and the reading stops where the rules say (the
// end, an empty line, the second trailer label), after at most one read per line.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>
#include <vector>

#include "Invariant.h"
#include "statements/NorthernBankTransactionFile.h"
#include "support/ScratchFile.h"

namespace {

// The lines as the reader sees them: split at line feeds, cut to the line buffer, each ending
// as a text at its first NUL.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string line = bytes.substr(start, std::min<size_t>(end - start, LineBufferSize - 1));
        lines.push_back(line.substr(0, line.find('\0')));
        start = end + 1;
    }
    return lines;
}

bool IsTrailer(const std::string& line) {
    return line.compare(0, 3, "UTL") == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = Lines(bytes);
    const ScratchFile scratch(bytes);
    CNorthernBankTransactionFile file(scratch.Path(), std::ios_base::in | std::ios_base::binary);

    // The header labels: read up to the first that is too short.
    const int leastLengths[] = {80, 73, 80, 80};
    size_t next = 0;
    for (const int least : leastLengths) {
        const bool read = next < lines.size() && static_cast<int>(lines[next].size()) >= least;
        ++next;
        if (!read) {
            break;
        }
    }
    // A label read at the end of the data read nothing.
    next = std::min(next, lines.size());
    FUZZ_REQUIRE(file.VolumeHeader().Text() == (lines.empty() ? std::string() : lines[0]));

    int trailers = 0;
    CTransactionRecord record;
    for (;;) {
        const std::string line = next < lines.size() ? lines[next] : std::string();
        ++next;
        FUZZ_REQUIRE(next <= lines.size() + 1);
        const bool goOn = file.ReadStatementRecord(record);
        const bool transaction = line.size() >= TransactionLineLength;
        FUZZ_REQUIRE(record.HoldsTransaction() == transaction);
        if (transaction) {
            FUZZ_REQUIRE(goOn);
            FUZZ_REQUIRE(std::string(record.SortCode.Text()) == line.substr(0, 6));
            FUZZ_REQUIRE(std::string(record.DateText.Text()) == line.substr(100, 6));
            continue;
        }
        trailers += line.empty() ? 0 : IsTrailer(line) ? 1 : 0;
        const bool stops = line.empty() || trailers == 2;
        FUZZ_REQUIRE(goOn == !stops);
        if (stops) {
            break;
        }
    }
    return 0;
}
