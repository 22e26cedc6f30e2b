#pragma once
#include <windows.h>

#include "com/ScopedOverride.h"

// The local date and time of "now": the system clock, unless a test has fixed it.
void ReadLocalTime(SYSTEMTIME& now);

// Fixes the clock at one moment for its lifetime (tests).
class FixedLocalTime {
public:
    explicit FixedLocalTime(const SYSTEMTIME& moment);

private:
    SYSTEMTIME moment_;
    ScopedOverride<const SYSTEMTIME*> fixing_;
};
