#include "tools/velmora-host/ReportText.h"

#include <cstdio>

#include "hostkit/DecimalText.h"

std::string IsoDate(DATE date) {
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time)) {
        return {};
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
    return text;
}

std::string AmountText(double amount) {
    return DecimalText(amount, 2);
}
