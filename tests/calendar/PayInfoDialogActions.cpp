#include "PayInfoDialogActions.h"

#include "ScriptedWindow.h"
#include "calendar/PayInfoDialogIds.h"

int ShowDialog(CPayInfoDialog& dialog, const std::function<void(HWND)>& script, HWND owner) {
    return RunScripted([&] { return dialog.RunDialog(owner); }, script);
}

namespace {

SYSTEMTIME PickerTime(HWND dialog) {
    SYSTEMTIME shown{};
    SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_GETSYSTEMTIME, 0,
                        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

} // namespace

CivilDate PickerDay(HWND dialog) {
    const SYSTEMTIME shown = PickerTime(dialog);
    return {shown.wYear, shown.wMonth, shown.wDay};
}

void PickDate(HWND dialog, int year, int month, int day) {
    const HWND picker = GetDlgItem(dialog, IDC_DATE_PICKER);
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = IDC_DATE_PICKER;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = PickerTime(dialog);
    change.st.wYear = static_cast<WORD>(year);
    change.st.wMonth = static_cast<WORD>(month);
    change.st.wDay = static_cast<WORD>(day);
    change.st.wDayOfWeek = static_cast<WORD>(DayOfWeek(DayNumber(year, month, day)));
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
    SendMessageA(dialog, WM_NOTIFY, IDC_DATE_PICKER, reinterpret_cast<LPARAM>(&change));
}

void ProcessPendingMessages(HWND dialog) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool IsChecked(HWND dialog, int button) {
    return IsDlgButtonChecked(dialog, button) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int control) {
    return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE;
}
