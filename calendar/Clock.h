#pragma once
#include <windows.h>

// The local date and time of "now": the system clock, unless a test has fixed it.
void ReadLocalTime(SYSTEMTIME& now);

// Fixes the clock at one moment for its lifetime (tests).
class FixedLocalTime {
public:
    explicit FixedLocalTime(const SYSTEMTIME& moment);
    ~FixedLocalTime();
    FixedLocalTime(const FixedLocalTime&) = delete;
    FixedLocalTime& operator=(const FixedLocalTime&) = delete;

private:
    const SYSTEMTIME* previous_;
    SYSTEMTIME moment_;
};
