// The scripted user against real Win32 dialogs and message boxes: the payment format dialog's
// resource run by a stand-in dialog procedure, the common save dialog, and message boxes.
#include "tools/velmora-host/ScriptedUser.h"

#include <commctrl.h>
#include <commdlg.h>

#include <doctest/doctest.h>

#include <string>

namespace {

constexpr int formatDialogId = 1001;
constexpr int oneToOneButton = 2013;
constexpr int bacsIdButton = 2014;
constexpr int datePickerId = 2003;

SYSTEMTIME Day(WORD year, WORD month, WORD day) {
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    return date;
}

// What the stand-in for the component's dialog procedure saw.
struct FormatDialogRecord {
    bool warnOnOk = false; // OK shows a warning and keeps the dialog open, as a refused date does
    int format = 0;
    bool changed = false;
    SYSTEMTIME notifiedDate{};
    int notifications = 0;
    SYSTEMTIME pickerAtOk{};
    bool bacsCheckedAtOk = false;
};

INT_PTR CALLBACK StandInFormatDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<FormatDialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SYSTEMTIME start = Day(2030, 1, 2);
        start.wHour = 14;
        SendDlgItemMessageW(dialog, datePickerId, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&start));
        CheckDlgButton(dialog, oneToOneButton, BST_CHECKED);
        return FALSE;
    }
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
        if (change->nmhdr.code == DTN_DATETIMECHANGE && change->nmhdr.idFrom == datePickerId) {
            record->notifiedDate = change->st;
            ++record->notifications;
            record->changed = true;
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case oneToOneButton:
        case bacsIdButton:
            record->changed = record->changed || record->format != LOWORD(wParam) - oneToOneButton;
            record->format = LOWORD(wParam) - oneToOneButton;
            return TRUE;
        case IDOK:
            if (record->warnOnOk) {
                MessageBoxA(dialog, "The date you specified falls on a weekend.",
                            "Non-Banking Date Specified", MB_OK | MB_ICONEXCLAMATION);
                return TRUE;
            }
            SendDlgItemMessageW(dialog, datePickerId, DTM_GETSYSTEMTIME, 0,
                                reinterpret_cast<LPARAM>(&record->pickerAtOk));
            record->bacsCheckedAtOk = IsDlgButtonChecked(dialog, bacsIdButton) == BST_CHECKED;
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            if (!record->changed ||
                MessageBoxA(dialog, "Do you wish to ignore these changes?",
                            "Changes have been made", MB_YESNO | MB_ICONQUESTION) == IDYES) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR RunFormatDialog(FormatDialogRecord& record) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    // The dialog resource is linked into the test program itself.
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(formatDialogId), nullptr,
                           StandInFormatDialog, reinterpret_cast<LPARAM>(&record));
}

// The save dialog as the payment run shows it; the chosen path, or nothing after Cancel.
std::wstring RunSaveDialog(bool& chosen) {
    wchar_t file[MAX_PATH] = L"C:\\payments.csv";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = L"Payment Files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"csv";
    dialog.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    chosen = GetSaveFileNameW(&dialog) != FALSE;
    return file;
}

std::wstring FreshTemporaryPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + name;
    DeleteFileW(path.c_str());
    return path;
}

} // namespace

TEST_CASE("scripted user: message boxes are noted and answered as a person would") {
    ScriptedUser user({});
    CHECK(MessageBoxA(nullptr, "The root directory (C:\\) will be used.\r\nOK?",
                      "Invalid default path", MB_OK | MB_ICONERROR) == IDOK);
    CHECK(MessageBoxA(nullptr, "Due to Windows Redirect your file was saved to: X",
                      "Windows Redirect", MB_YESNO) == IDNO);
    CHECK(MessageBoxA(nullptr, "Replace it?", "Confirm Save As", MB_YESNO | MB_ICONQUESTION) ==
          IDYES);
    REQUIRE(user.MessageBoxes().size() == 3);
    CHECK(user.MessageBoxes()[0].caption == "Invalid default path");
    CHECK(user.MessageBoxes()[0].text == "The root directory (C:\\) will be used.\r\nOK?");
    CHECK(user.MessageBoxes()[0].answer == "OK");
    CHECK(user.MessageBoxes()[1].caption == "Windows Redirect");
    CHECK(user.MessageBoxes()[1].answer == "No");
    CHECK(user.MessageBoxes()[2].answer == "Yes");
}

TEST_CASE("scripted user: picks the date, clicks the format and presses OK") {
    UserAnswers answers;
    answers.format = 1;
    answers.date = Day(2031, 3, 4);
    ScriptedUser user(answers);
    FormatDialogRecord record;
    CHECK(RunFormatDialog(record) == IDOK);
    CHECK(record.format == 1);
    CHECK(record.bacsCheckedAtOk);
    CHECK(record.notifications == 1);
    CHECK(record.notifiedDate.wYear == 2031);
    CHECK(record.notifiedDate.wMonth == 3);
    CHECK(record.notifiedDate.wDay == 4);
    CHECK(record.notifiedDate.wDayOfWeek == 2); // a Tuesday
    // The picker shows the picked day and keeps its time of day, as after a pick in its calendar.
    CHECK(record.pickerAtOk.wDay == 4);
    CHECK(record.pickerAtOk.wHour == 14);
    CHECK(user.MessageBoxes().empty());
    CHECK(user.Actions() ==
          std::vector<std::string>{"payment format dialog: picked 2031-03-04",
                                   "payment format dialog: clicked \"Business eBanking BACS ID "
                                   "Format\"",
                                   "payment format dialog: pressed OK"});
}

TEST_CASE("scripted user: a format dialog without an answer is cancelled") {
    ScriptedUser user({});
    FormatDialogRecord record;
    CHECK(RunFormatDialog(record) == IDCANCEL);
    CHECK(record.notifications == 0);
    CHECK(user.MessageBoxes().empty());
}

TEST_CASE("scripted user: after a warning on OK it cancels and confirms dropping the changes") {
    UserAnswers answers;
    answers.date = Day(2031, 3, 8);
    ScriptedUser user(answers);
    FormatDialogRecord record;
    record.warnOnOk = true;
    CHECK(RunFormatDialog(record) == IDCANCEL);
    REQUIRE(user.MessageBoxes().size() == 2);
    CHECK(user.MessageBoxes()[0].caption == "Non-Banking Date Specified");
    CHECK(user.MessageBoxes()[0].answer == "OK");
    CHECK(user.MessageBoxes()[1].caption == "Changes have been made");
    CHECK(user.MessageBoxes()[1].text == "Do you wish to ignore these changes?");
    CHECK(user.MessageBoxes()[1].answer == "Yes");
    CHECK(user.Actions().back() == "message box \"Changes have been made\": pressed Yes");
}

TEST_CASE("scripted user: types the path in the save dialog, or cancels without one") {
    const std::wstring path = FreshTemporaryPath(L"scripted-user-save.csv");
    {
        UserAnswers answers;
        answers.saveAs = path;
        ScriptedUser user(answers);
        bool chosen = false;
        const std::wstring result = RunSaveDialog(chosen);
        CHECK(chosen);
        CHECK(CompareStringOrdinal(result.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL);
        CHECK(user.MessageBoxes().empty());
    }
    ScriptedUser user({});
    bool chosen = true;
    RunSaveDialog(chosen);
    CHECK(!chosen);
    CHECK(CommDlgExtendedError() == 0);
    CHECK(user.Actions() ==
          std::vector<std::string>{"save dialog: no answer given, pressed Cancel"});
}
