#include "calendar/BankingCalendar.h"

#include <cmath>
#include <oleauto.h>

#include "calendar/Clock.h"
#include "calendar/UserInteraction.h"
#include "text/CString.h"

namespace {

constexpr UINT WarningStyle = MB_ICONEXCLAMATION | MB_OK;
constexpr int DateLimitDays = 365;

CString NonBankingDayWarning(NonBankingReason reason, int daysToNext) {
    CString warning(reason == BankHoliday
                        ? "The date you specified falls on a Bank holiday. Try advancing the "
                          "date \r\n"
                        : "The date you specified falls on a weekend. Try advancing the date \r\n");
    CString dayCount;
    dayCount.FormatText(daysToNext == 1 ? "%d day to the next likely Banking Day."
                                        : "%d days to the next likely Banking Day.",
                        daysToNext);
    warning += dayCount;
    return warning;
}

void Warn(HWND owner, const char* text, const char* caption) {
    CurrentUserInteraction().ShowMessage(owner, text, caption, WarningStyle);
}

} // namespace

DATE GetToday() {
    SYSTEMTIME now{};
    ReadLocalTime(now);
    DATE today = 0;
    SystemTimeToVariantTime(&now, &today);
    return today;
}

bool ValidateBankingDate(HWND owner, DATE date) {
    if (std::floor(GetToday()) > std::floor(date)) {
        Warn(owner,
             "The processing date you specify for payments MUST be on or after the current "
             "system date.",
             "Invalid Banking Date Specified");
        return false;
    }
    int daysToNext = 0;
    NonBankingReason reason = NoReason;
    if (CheckBankingDay(date, daysToNext, reason)) {
        return true;
    }
    Warn(owner, NonBankingDayWarning(reason, daysToNext).Text(), "Non-Banking Date Specified");
    return false;
}

bool IsBeyondDateLimit(HWND owner, DATE date) {
    const long today = static_cast<long>(GetToday());
    const long day = static_cast<long>(date);
    if (day <= today + DateLimitDays) {
        return false;
    }
    Warn(owner,
         "The processing date specified is too far in the future.\rProcessing dates can be at "
         "most 365 days after today's date.",
         "Invalid Processing Date Specified");
    return true;
}
