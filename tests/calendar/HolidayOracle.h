#pragma once
// The bank's holidays stated afresh from the rules, for checking the calendar day by day: New
// Year's Day, Good Friday, Easter Monday, the first and last Mondays of May, the last Monday
// of August, Christmas and Boxing Day, each moved to the next free weekday when it falls on a
// weekend. Day numbers as in CivilDays.h.
#include <set>

#include "calendar/BankingDays.h"

// Easter Sunday by the anonymous Gregorian (Meeus/Jones/Butcher) computation.
int OracleEasterSunday(int year);

struct ExpectedDay {
    bool banking;
    NonBankingReason reason;
    int daysToNext;
};

class HolidayOracle {
public:
    // Knows the holidays of the years firstYear to lastYear (and one year either side).
    HolidayOracle(int firstYear, int lastYear);

    bool IsBankingDay(int day) const;
    // The first banking day on or after day.
    int BankingDayFrom(int day) const;
    // What the calendar must say about day: the reason and the days to the next likely
    // banking day. That count reaches the next real banking day, except that a weekend
    // outside the New Year and Christmas periods points at its Monday (which may be a
    // holiday), and a Friday New Year's Day points at the Saturday after it.
    ExpectedDay Expected(int day) const;

private:
    std::set<int> holidays_;
};
