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

FixedLocalTime::FixedLocalTime(const SYSTEMTIME& moment) : previous_(fixedMoment), moment_(moment) {
    fixedMoment = &moment_;
}

FixedLocalTime::~FixedLocalTime() { fixedMoment = previous_; }
