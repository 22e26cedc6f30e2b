#include <doctest/doctest.h>

#include <fstream>
#include <string>
#include <vector>

#include "fixtures/StatementFiles.h"
#include "fixtures/TempFolder.h"
#include "statements/StatementFileStream.h"
#include "statements/StatementLine.h"

namespace {

const std::ios_base::openmode Binary = std::ios_base::in | std::ios_base::binary;
const std::ios_base::openmode TextMode = std::ios_base::in;

// Lines of every awkward kind, over several of the stream's 64 KiB buffers, so that lines cross
// from one buffer into the next: empty ones, carriage returns, NULs and high bytes, lines of
// around a transaction's length and around the line buffer's size. They end with an end-of-file
// mark, which ends the file in text mode only.
std::string AwkwardBytes(bool endsWithLineFeed) {
    const int lengths[] = {0,   1,    2,    79,   80,   105,  106, 107, 500,
                           106, 1022, 1023, 1024, 1025, 3000, 106, 0,   20000};
    const char alphabet[] = "abcXYZ0189 \r\xe9\xff\t";
    std::string bytes;
    unsigned seed = 12345;
    for (int round = 0; round < 12; ++round) {
        for (int length : lengths) {
            for (int index = 0; index < length; ++index) {
                seed = seed * 1103515245u + 12345u;
                // Now and then a NUL, which ends the line as a text but not as a line.
                const unsigned pick = (seed >> 16) % 400;
                bytes += pick == 0 ? '\0' : alphabet[pick % (sizeof alphabet - 1)];
            }
            bytes += '\n';
        }
    }
    bytes += "before the mark\x1a after the mark\n";
    if (!endsWithLineFeed) {
        bytes += std::string(150, 'e');
    }
    return bytes;
}

struct ReadLine {
    int length;
    std::string text;
};

// Every line until the end of the file and three reads more, as the runtime's stream gives them.
std::vector<ReadLine> LinesOfStandardStream(const std::string& path, std::ios_base::openmode mode) {
    std::ifstream stream(path, mode);
    std::vector<ReadLine> lines;
    int emptyAtEnd = 0;
    while (emptyAtEnd < 3) {
        char line[LineBufferSize];
        const int length = ReadStatementLine(stream, line);
        lines.push_back({length, std::string(line, static_cast<size_t>(length))});
        emptyAtEnd = stream.fail() || stream.eof() ? emptyAtEnd + 1 : 0;
    }
    return lines;
}

std::vector<ReadLine> LinesOf(StatementFileStream& stream, size_t count) {
    std::vector<ReadLine> lines;
    for (size_t index = 0; index < count; ++index) {
        char line[LineBufferSize];
        const int length = stream.ReadLine(line);
        REQUIRE(line[length] == '\0');
        lines.push_back({length, std::string(line, static_cast<size_t>(length))});
    }
    return lines;
}

void CheckSameLines(const std::vector<ReadLine>& expected, const std::vector<ReadLine>& read) {
    REQUIRE(read.size() == expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        CAPTURE(index);
        CHECK(read[index].length == expected[index].length);
        CHECK(read[index].text == expected[index].text);
    }
}

} // namespace

TEST_CASE("the statement file stream reads the lines a standard stream reads") {
    TempFolder folder;
    for (bool endsWithLineFeed : {true, false}) {
        const std::string path = folder.WriteBytes("awkward.txt", AwkwardBytes(endsWithLineFeed));
        for (std::ios_base::openmode mode : {Binary, TextMode}) {
            CAPTURE(endsWithLineFeed);
            CAPTURE(mode == Binary);
            const std::vector<ReadLine> expected = LinesOfStandardStream(path, mode);
            REQUIRE(expected.size() > 200);
            StatementFileStream stream;
            REQUIRE(stream.Open(path.c_str(), mode));
            CheckSameLines(expected, LinesOf(stream, expected.size()));
        }
    }
}

TEST_CASE("a line filling the buffer exactly before the end of the file") {
    TempFolder folder;
    const std::string full(LineBufferSize - 1, 'f');
    for (const std::string& bytes : {full, full + "\n", full + "g", "\n" + full + "\n\n"}) {
        const std::string path = folder.WriteBytes("full.txt", bytes);
        const std::vector<ReadLine> expected = LinesOfStandardStream(path, Binary);
        StatementFileStream stream;
        REQUIRE(stream.Open(path.c_str(), Binary));
        CheckSameLines(expected, LinesOf(stream, expected.size()));
    }
}

TEST_CASE("a statement file stream that is not open reads nothing") {
    TempFolder folder;
    char line[LineBufferSize];
    SUBCASE("a file that does not exist") {
        StatementFileStream stream;
        CHECK_FALSE(stream.Open((folder.Path() + "\\missing.txt").c_str(), Binary));
        CHECK_FALSE(stream.IsOpen());
        CHECK(stream.ReadLine(line) == 0);
    }
    const std::string path = folder.WriteLines("two.txt", {"first", "second"});
    SUBCASE("a second opening fails, as it does for a standard stream") {
        StatementFileStream stream;
        REQUIRE(stream.Open(path.c_str(), Binary));
        CHECK_FALSE(stream.Open(path.c_str(), Binary));
        CHECK(stream.IsOpen());
        CHECK(stream.ReadLine(line) == 0);
    }
    SUBCASE("closed, then opened again from the start") {
        StatementFileStream stream;
        REQUIRE(stream.Open(path.c_str(), Binary));
        CHECK(std::string(line, static_cast<size_t>(stream.ReadLine(line))) == "first");
        stream.Close();
        CHECK_FALSE(stream.IsOpen());
        CHECK(stream.ReadLine(line) == 0);
        REQUIRE(stream.Open(path.c_str(), Binary));
        CHECK(std::string(line, static_cast<size_t>(stream.ReadLine(line))) == "first");
        CHECK(std::string(line, static_cast<size_t>(stream.ReadLine(line))) == "second");
        CHECK(stream.ReadLine(line) == 0);
    }
}
