// The narrow string's operations with arbitrary positions and lengths, against a standard
// string doing the same: the same text after each step, E_INVALIDARG exactly where an argument
// is out of range, formatted texts cut to 255 characters.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "Invariant.h"
#include "text/CString.h"
#include "text/ThrownCode.h"

namespace {

void CheckSame(const CString& text, const std::string& model) {
    FUZZ_REQUIRE(text.Length() == static_cast<int>(model.size()));
    FUZZ_REQUIRE(model == text.Text());
    FUZZ_REQUIRE(text.Capacity() >= text.Length());
}

constexpr size_t LongestDoubled = 4096;

long Expected(bool valid) {
    return valid ? S_OK : static_cast<long>(E_INVALIDARG);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CString text;
    std::string model;
    while (input.remaining_bytes() > 0) {
        const int length = static_cast<int>(model.size());
        const int position = input.ConsumeIntegralInRange<int>(-2, length + 2);
        const int count = input.ConsumeIntegralInRange<int>(-2, 300);
        const std::string piece = input.ConsumeRandomLengthString(300);
        const std::string word = piece.substr(0, piece.find('\0'));
        switch (input.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
            text.Assign(word.c_str());
            model = word;
            break;
        case 1:
            text.Append(word.c_str());
            model += word;
            break;
        case 2: {
            // A part of the string's own text, or of another.
            const bool own = position >= 0 && position <= length && input.ConsumeBool();
            const char* source = own ? text.Text() + position : piece.c_str();
            const int available = own ? length - position : static_cast<int>(piece.size());
            const int taken = std::min(count, available);
            const std::string expected = taken >= 0 ? std::string(source, taken) : model;
            FUZZ_REQUIRE(ThrownCode([&] { text.Assign(source, taken); }) == Expected(taken >= 0));
            model = expected.substr(0, expected.find('\0'));
            break;
        }
        case 3: {
            const bool valid = position >= 0 && position <= length && count >= 0;
            CString slice;
            FUZZ_REQUIRE(ThrownCode([&] { slice = text.Slice(position, count); }) ==
                         Expected(valid));
            if (valid) {
                CheckSame(slice, model.substr(position, count));
            }
            break;
        }
        case 4: {
            CString head;
            CString tail;
            FUZZ_REQUIRE(ThrownCode([&] { head = text.Head(count); }) == Expected(count >= 0));
            FUZZ_REQUIRE(ThrownCode([&] { tail = text.Tail(count); }) == Expected(count >= 0));
            if (count >= 0) {
                const size_t kept = std::min<size_t>(count, model.size());
                CheckSame(head, model.substr(0, kept));
                CheckSame(tail, model.substr(model.size() - kept));
            }
            break;
        }
        case 5: {
            char c = 0;
            FUZZ_REQUIRE(ThrownCode([&] { c = text.CharAt(position); }) ==
                         Expected(position >= 0 && position < length));
            FUZZ_REQUIRE(position < 0 || position >= length || c == model[position]);
            break;
        }
        case 6: {
            const char c = piece.empty() ? 'a' : piece[0];
            const size_t first = c == '\0' ? std::string::npos : model.find(c);
            const size_t last = c == '\0' ? std::string::npos : model.rfind(c);
            FUZZ_REQUIRE(text.FindFirst(c) == (first == std::string::npos ? -1 : int(first)));
            FUZZ_REQUIRE(text.FindLast(c) == (last == std::string::npos ? -1 : int(last)));
            break;
        }
        case 7:
            text.FormatText("%s%s", word.c_str(), model.c_str());
            model = (word + model).substr(0, CString::WorkingBufferSize - 1);
            break;
        case 8: {
            const int capacity = text.Capacity();
            FUZZ_REQUIRE(ThrownCode([&] { text.Reserve(count); }) == Expected(count >= 0));
            if (count > capacity) {
                model.clear();
            }
            FUZZ_REQUIRE(text.Capacity() >= count);
            break;
        }
        default: {
            CString copy(text);
            copy += text;
            CheckSame(copy, model + model);
            FUZZ_REQUIRE((copy == text) == (model.empty()));
            // Only a short text is kept doubled: doubling step after step would outgrow any memory.
            if (model.size() <= LongestDoubled) {
                text = copy + word.c_str();
                model = model + model + word;
            }
            break;
        }
        }
        CheckSame(text, model);
    }
    return 0;
}
