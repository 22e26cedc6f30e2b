#pragma once
// What a user does to the payment format dialog, and what the test reads back from it.
#include <functional>

#include <windows.h>
#include <commctrl.h>

#include "CivilDays.h"
#include "calendar/PayInfoDialog.h"

// Runs the dialog modally (through RunDialog) with the script driving it; returns the end code.
int ShowDialog(CPayInfoDialog& dialog, const std::function<void(HWND)>& script,
               HWND owner = nullptr);

// The date the picker shows.
CivilDate PickerDay(HWND dialog);

// Picks a day in the date picker, keeping the time of day it holds, as the picker reports a
// pick to the dialog.
void PickDate(HWND dialog, int year, int month, int day);

// Lets the dialog handle what is waiting in the thread's queue, keyboard included.
void ProcessPendingMessages(HWND dialog);

bool IsChecked(HWND dialog, int button);
bool IsEnabled(HWND dialog, int control);
