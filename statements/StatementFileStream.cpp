#include "statements/StatementFileStream.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int BufferSize = 64 * 1024;

using Word = std::uint32_t;
constexpr Word LowBits = 0x01010101u;
constexpr Word HighBits = 0x80808080u;
constexpr Word LineFeeds = 0x0A0A0A0Au;

Word WordAt(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Whether one of the four bytes of the word is a line feed or a NUL.
bool HasLineFeedOrNul(Word word) {
    const Word lineFeedsZeroed = word ^ LineFeeds;
    return (((word - LowBits) & ~word) | ((lineFeedsZeroed - LowBits) & ~lineFeedsZeroed)) &
           HighBits;
}

// Offset of the first line feed or NUL among count bytes, or count. Eight bytes are tested at a
// time: a line is searched in few steps, without a call into the runtime.
int FindLineFeedOrNul(const char* bytes, int count) {
    constexpr int Step = 2 * sizeof(Word);
    int offset = 0;
    while (offset + Step <= count && !HasLineFeedOrNul(WordAt(bytes + offset)) &&
           !HasLineFeedOrNul(WordAt(bytes + offset + sizeof(Word)))) {
        offset += Step;
    }
    while (offset < count && bytes[offset] != '\n' && bytes[offset] != '\0') {
        ++offset;
    }
    return offset;
}

} // namespace

const char* StatementFileStream::FileBuffer::Held(int& count) {
    if (gptr() == egptr() && traits_type::eq_int_type(underflow(), traits_type::eof())) {
        count = 0;
        return nullptr;
    }
    count = static_cast<int>(egptr() - gptr());
    return gptr();
}

StatementFileStream::StatementFileStream() : bufferSpace_(new char[BufferSize]) {
    // The buffer is taken only by a file buffer that is not open yet.
    file_.pubsetbuf(bufferSpace_.get(), BufferSize);
}

bool StatementFileStream::Open(const char* path, std::ios_base::openmode mode) {
    ended_ = file_.open(path, mode | std::ios_base::in) == nullptr;
    return !ended_;
}

int StatementFileStream::ReadLine(char (&line)[LineBufferSize]) {
    constexpr int Room = LineBufferSize - 1;
    int stored = 0;
    // As a text, the line ends at the first NUL it holds.
    int textLength = -1;
    while (!ended_) {
        int count = 0;
        const char* held = file_.Held(count);
        if (held == nullptr) {
            ended_ = true;
        } else if (stored == Room) {
            SkipRestOfLine();
            break;
        } else {
            const int wanted = count < Room - stored ? count : Room - stored;
            int taken = FindLineFeedOrNul(held, wanted);
            while (taken < wanted && held[taken] == '\0') {
                if (textLength < 0) {
                    textLength = stored + taken;
                }
                taken += 1 + FindLineFeedOrNul(held + taken + 1, wanted - taken - 1);
            }
            std::memcpy(line + stored, held, static_cast<size_t>(taken));
            stored += taken;
            if (taken < wanted) {
                file_.Consume(taken + 1);
                break;
            }
            file_.Consume(taken);
        }
    }
    line[stored] = '\0';
    return textLength < 0 ? stored : textLength;
}

void StatementFileStream::SkipRestOfLine() {
    for (;;) {
        int count = 0;
        const char* held = file_.Held(count);
        if (held == nullptr) {
            ended_ = true;
            return;
        }
        const int skipped = FindLineFeedOrNul(held, count);
        if (skipped == count) {
            file_.Consume(count);
        } else {
            file_.Consume(skipped + 1);
            if (held[skipped] == '\n') {
                return;
            }
        }
    }
}
