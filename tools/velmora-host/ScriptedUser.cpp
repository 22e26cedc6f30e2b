#include "tools/velmora-host/ScriptedUser.h"

#include "hostkit/TextConversion.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>

namespace {

ScriptedUser* activeUser = nullptr;

constexpr wchar_t formatDialogTitle[] = L"Velmora Northern Bank Payment Processing";
constexpr int firstFormatButton = 2013; // the format's radio button is 2013 plus the format
constexpr int datePicker = 2003;
constexpr int messageBoxText = 0xFFFF;
constexpr UINT visitDelay = 10; // milliseconds: lets the window's modal loop start first

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

bool IsDialogWindow(HWND window) {
    return ClassName(window) == L"#32770";
}

bool IsFormatDialog(HWND window) {
    return WindowText(window) == formatDialogTitle &&
           GetDlgItem(window, firstFormatButton) != nullptr;
}

HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    return box != nullptr ? box : GetDlgItem(dialog, edt1);
}

bool IsSaveDialog(HWND window) {
    return IsDialogWindow(window) && FileNameBox(window) != nullptr &&
           GetDlgItem(window, cmb1) != nullptr;
}

bool IsMessageBox(HWND window) {
    return IsDialogWindow(window) && GetDlgItem(window, messageBoxText) != nullptr;
}

// What a click on the button does: the dialog receives its command.
void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string WithoutMnemonic(const std::wstring& label) {
    std::wstring text = label;
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return Utf8FromWide(text);
}

std::string DateText(const SYSTEMTIME& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", date.wYear, date.wMonth, date.wDay);
    return text;
}

} // namespace

ScriptedUser::ScriptedUser(UserAnswers answers)
    : answers_(std::move(answers)), active_(activeUser, this) {
    hook_ = SetWindowsHookExW(WH_CBT, OnHook, nullptr, GetCurrentThreadId());
}

ScriptedUser::~ScriptedUser() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
    }
}

LRESULT CALLBACK ScriptedUser::OnHook(int code, WPARAM wParam, LPARAM lParam) {
    if (activeUser != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE) {
            activeUser->Schedule(window, Visit::Activated);
        } else if (code == HCBT_DESTROYWND) {
            activeUser->Forget(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ScriptedUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeUser != nullptr) {
        activeUser->VisitPending();
    }
}

// Windows are answered from a timer rather than inside the hook: at activation the window is
// not yet running its modal loop, and answering there would end it before it began.
void ScriptedUser::Schedule(HWND window, Visit visit) {
    for (const PendingVisit& pending : pending_) {
        if (pending.window == window && pending.visit == visit) {
            return;
        }
    }
    pending_.push_back({window, visit});
    if (timer_ == 0) {
        timer_ = SetTimer(nullptr, 0, visitDelay, OnTimer);
    }
}

void ScriptedUser::Forget(HWND window) {
    answered_.erase(window);
    if (window == formatDialog_) {
        formatDialog_ = nullptr;
    }
    if (window == saveDialog_) {
        saveDialog_ = nullptr;
    }
}

void ScriptedUser::VisitPending() {
    KillTimer(nullptr, timer_);
    timer_ = 0;
    const std::vector<PendingVisit> visits = std::move(pending_);
    pending_.clear();
    for (const PendingVisit& pending : visits) {
        if (!IsWindow(pending.window)) {
            continue;
        }
        if (pending.visit == Visit::GiveUp) {
            GiveUp(pending.window);
            continue;
        }
        // A window becomes active again when a box it owns closes; it is answered only once.
        if (answered_.count(pending.window) != 0) {
            continue;
        }
        if (IsFormatDialog(pending.window)) {
            AnswerFormatDialog(pending.window);
        } else if (IsSaveDialog(pending.window)) {
            AnswerSaveDialog(pending.window);
        } else if (IsMessageBox(pending.window)) {
            AnswerMessageBox(pending.window);
        }
    }
}

void ScriptedUser::AnswerFormatDialog(HWND dialog) {
    answered_.insert(dialog);
    formatDialog_ = dialog;
    if (!answers_.format && !answers_.date) {
        actions_.push_back("payment format dialog: no answer given, pressed Cancel");
        PressButton(dialog, IDCANCEL);
        return;
    }
    if (answers_.date) {
        PickDate(dialog);
    }
    if (answers_.format) {
        HWND button = GetDlgItem(dialog, firstFormatButton + *answers_.format);
        SendMessageW(button, BM_CLICK, 0, 0);
        actions_.push_back("payment format dialog: clicked \"" +
                           WithoutMnemonic(WindowText(button)) + "\"");
    }
    actions_.push_back("payment format dialog: pressed OK");
    PressButton(dialog, IDOK);
}

// As a person picks a day in the drop-down calendar: the picker shows the new day, keeping its
// time of day, and tells the dialog of the change.
void ScriptedUser::PickDate(HWND dialog) {
    HWND picker = GetDlgItem(dialog, datePicker);
    SYSTEMTIME shown{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)) != GDT_VALID) {
        shown = SYSTEMTIME{};
    }
    shown.wYear = answers_.date->wYear;
    shown.wMonth = answers_.date->wMonth;
    shown.wDay = answers_.date->wDay;
    FILETIME asFileTime{};
    SystemTimeToFileTime(&shown, &asFileTime);
    FileTimeToSystemTime(&asFileTime, &shown); // fills in the day of the week
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));

    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = datePicker;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = shown;
    SendMessageW(dialog, WM_NOTIFY, datePicker, reinterpret_cast<LPARAM>(&change));
    actions_.push_back("payment format dialog: picked " + DateText(shown));
}

void ScriptedUser::GiveUp(HWND dialog) {
    if (!IsWindowEnabled(dialog)) {
        // A box of its own is still open; come back when it has been answered.
        Schedule(dialog, Visit::GiveUp);
        return;
    }
    const char* name = dialog == formatDialog_ ? "payment format dialog" : "save dialog";
    actions_.push_back(std::string(name) + ": still open after the message box, pressed Cancel");
    PressButton(dialog, IDCANCEL);
}

void ScriptedUser::AnswerSaveDialog(HWND dialog) {
    answered_.insert(dialog);
    saveDialog_ = dialog;
    if (!answers_.saveAs) {
        actions_.push_back("save dialog: no answer given, pressed Cancel");
        PressButton(dialog, IDCANCEL);
        return;
    }
    SetWindowTextW(FileNameBox(dialog), answers_.saveAs->c_str());
    actions_.push_back("save dialog: typed " + Utf8FromWide(*answers_.saveAs) + ", pressed Save");
    PressButton(dialog, IDOK);
}

void ScriptedUser::AnswerMessageBox(HWND box) {
    answered_.insert(box);
    const std::wstring caption = WindowText(box);
    const std::wstring text = WindowText(GetDlgItem(box, messageBoxText));

    int answer = IDCANCEL;
    const char* answerName = "Cancel";
    if (caption == L"Windows Redirect" && GetDlgItem(box, IDNO) != nullptr) {
        answer = IDNO;
        answerName = "No";
    } else if (GetDlgItem(box, IDOK) != nullptr) {
        answer = IDOK;
        answerName = "OK";
    } else if (GetDlgItem(box, IDYES) != nullptr) {
        answer = IDYES;
        answerName = "Yes";
    }
    messageBoxes_.push_back({Utf8FromWide(caption), Utf8FromWide(text), answerName});
    actions_.push_back("message box \"" + Utf8FromWide(caption) + "\": pressed " + answerName);
    PressButton(box, answer);

    // A warning after OK or Save can leave the dialog open; the user then gives up on it.
    if (caption == L"Changes have been made") {
        return; // the user's own Cancel, being confirmed
    }
    for (HWND dialog : {formatDialog_, saveDialog_}) {
        if (dialog != nullptr && IsWindow(dialog)) {
            Schedule(dialog, Visit::GiveUp);
        }
    }
}
