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

DebugTraceCollector::DebugTraceCollector() : previous_(collector) {
    collector = this;
}

DebugTraceCollector::~DebugTraceCollector() {
    collector = previous_;
}
