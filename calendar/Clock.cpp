#include "calendar/Clock.h"

namespace {
const SYSTEMTIME* fixedMoment = nullptr;
}

void ReadLocalTime(SYSTEMTIME& now) {
    if (fixedMoment != nullptr) {
        now = *fixedMoment;
        return;
    }
    GetLocalTime(&now);
}

FixedLocalTime::FixedLocalTime(const SYSTEMTIME& moment)
    : moment_(moment), fixing_(fixedMoment, &moment_) {}
