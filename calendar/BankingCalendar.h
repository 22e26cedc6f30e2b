#pragma once
// The bank's calendar: its banking days (calendar/BankingDays.h), today and the checks a
// processing date chosen by the user must pass.
#include <windows.h>
#include <oaidl.h>

#include "calendar/BankingDays.h"

// The current local date and time (the clock of calendar/Clock.h).
DATE GetToday();

// True when the date may be a processing date: not before today and a banking day.
// Otherwise warns the user in a message box owned by owner and returns false.
bool ValidateBankingDate(HWND owner, DATE date);

// True, after warning the user, when the date lies more than 365 days after today.
bool IsBeyondDateLimit(HWND owner, DATE date);
