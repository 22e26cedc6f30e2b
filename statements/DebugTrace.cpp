#include "statements/DebugTrace.h"

#include "platform/DebugOutput.h"

namespace {
DebugTraceCollector* collector = nullptr;
}

void DebugTrace(const char* text) {
    WriteDebugOutput(text);
    if (collector != nullptr) {
        collector->Add(text);
    }
}

DebugTraceCollector::DebugTraceCollector() : collecting_(collector, this) {}
