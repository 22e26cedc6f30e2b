#pragma once
#include <string>
#include <vector>

#include "com/ScopedOverride.h"

// Writes a trace text to the debugger output (the platform's debug output), and to the collector a
// test has installed, in order.
void DebugTrace(const char* text);

// Collects every trace text written during its lifetime (tests).
class DebugTraceCollector {
public:
    DebugTraceCollector();

    const std::vector<std::string>& Texts() const { return texts_; }
    void Add(const char* text) { texts_.emplace_back(text); }

private:
    std::vector<std::string> texts_;
    ScopedOverride<DebugTraceCollector*> collecting_;
};
