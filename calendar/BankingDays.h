#pragma once
// Which days the bank processes payments on. Dates are OLE Automation DATEs; days are compared
// as whole day numbers.
#include "platform/Platform.h"

// Why a day is not a banking day; it only chooses the wording of the warning.
enum NonBankingReason : int {
    NoReason = 0,
    BankHoliday = 1,
    Weekend = 2,
};

// True unless the day is a Saturday or a Sunday.
bool IsWeekday(DATE date);

// Easter Sunday of the year (Gregorian), at midnight.
DATE GetEasterSunday(int year);

// True for a banking day. Otherwise gives the reason and the number of days (1 to 4) to the
// next likely banking day; "likely" because the day pointed at may itself be a holiday. Both
// are 0 for a banking day.
bool CheckBankingDay(DATE date, int& daysToNext, NonBankingReason& reason);

// The first banking day reached from the date, keeping its time of day; the date itself
// when three checks do not reach one.
DATE GetNextBankingDay(DATE date);
