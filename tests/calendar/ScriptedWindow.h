#pragma once
// Drives a modal dialog (a dialog box, message box or common dialog) from the test's own
// thread: the first dialog window created while the show function runs is handed to the
// script as soon as it is on screen, inside the dialog's modal loop.
#include <functional>

#include <windows.h>

// End code given to a dialog that the script left open.
constexpr int LeftOpenByScript = 9901;
// End code given to a dialog that never came on screen.
constexpr int NeverShown = 9902;

int RunScripted(const std::function<int()>& show, const std::function<void(HWND)>& script);

// Presses a button as the user would, through its own click handling.
void Click(HWND dialog, int button);
