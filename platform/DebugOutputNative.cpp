#include "platform/DebugOutput.h"

void WriteDebugOutput(const char*) {}
