#pragma once
#include "text/CString.h"

// Returns the first count characters of line (all of it when it is shorter) and leaves in line
// only what follows them.
CString TakeField(CString& line, int count);

// A user trailer label begins with the identifier "UTL" (case matters).
bool IsUserTrailerLabel(const char* line);

// Reads a decimal integer from the front of a field of count characters in the manner of atoi
// (leading white space skipped, an optional sign, digits up to the first non-digit or the end of
// the field, none gives 0), but wide enough for every field of a transaction line: eleven digits
// of pence exceed 32 bits. At most 18 digits are read.
long long ReadFieldInteger(const char* field, int count);

// Cuts the fields of a line off its front, as TakeField does with a text, without copying the
// line: each field is assigned straight from it, so fields that keep their buffers from line to
// line need no allocation. Defined here so that the widths of a line's fields, known where it
// is cut, make each copy a few moves.
class FieldCutter {
public:
    // line: at least length characters.
    FieldCutter(const char* line, int length) : next_(line), end_(line + length) {}

    // The next count characters (fewer at the end of the line) into field.
    void TakeField(int count, CString& field) {
        const char* text = nullptr;
        const int taken = Advance(count, text);
        field.Assign(text, taken);
    }
    // The next count characters (at most IntegerFieldLimit of them) read by ReadFieldInteger.
    long long TakeInteger(int count) {
        const char* text = nullptr;
        const int taken = Advance(count, text);
        return ReadFieldInteger(text, taken < IntegerFieldLimit ? taken : IntegerFieldLimit);
    }
    void Skip(int count) {
        const char* text = nullptr;
        Advance(count, text);
    }

    static constexpr int IntegerFieldLimit = 31;

private:
    // Moves past the next count characters (fewer at the end); field points at the first.
    int Advance(int count, const char*& field) {
        field = next_;
        const int left = static_cast<int>(end_ - next_);
        const int taken = count <= 0 ? 0 : (count < left ? count : left);
        next_ += taken;
        return taken;
    }

    const char* next_;
    const char* end_;
};
