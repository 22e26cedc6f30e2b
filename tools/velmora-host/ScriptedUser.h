#pragma once
#include <windows.h>

#include "com/ScopedOverride.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

// The answers an unattended run gives to the payment run's dialogs.
struct UserAnswers {
    // The payment file format: 0 "Payment 1 To 1", 1 "Business eBanking BACS ID".
    std::optional<int> format;
    // The processing date to pick (year, month and day are used).
    std::optional<SYSTEMTIME> date;
    // The path to type in the save dialog.
    std::optional<std::wstring> saveAs;
};

// A message box the scripted user saw and how it answered it.
struct SeenMessageBox {
    std::string caption; // UTF-8
    std::string text;    // UTF-8
    std::string answer;  // OK, Yes, No or Cancel
};

// A person at the keyboard, played by the host for unattended runs. While it exists it watches
// the windows that become active on the calling thread (a WH_CBT hook) and answers them, once
// the window is up and its modal loop runs, as a person would:
// - the payment format dialog: picks the date, clicks the format's radio button and presses OK;
//   with neither answer given it presses Cancel. When OK brings up a warning, the dialog stays
//   open, and after answering the warning the user presses Cancel. "Changes have been made" is
//   answered Yes.
// - the common save dialog: types the path and presses Save, or presses Cancel without one.
//   When Save brings up a message and the dialog stays open, the user presses Cancel.
// - every message box: noted with caption and text, and answered OK ("Windows Redirect": No; a
//   box without an OK button: Yes).
// One scripted user at a time per process.
class ScriptedUser {
public:
    explicit ScriptedUser(UserAnswers answers);
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    const std::vector<SeenMessageBox>& MessageBoxes() const { return messageBoxes_; }
    // What the user did in the dialogs, in order (UTF-8).
    const std::vector<std::string>& Actions() const { return actions_; }

private:
    // GiveUp: a message box over an answered dialog has been answered; if the dialog is still
    // open, the user cancels it.
    enum class Visit { Activated, GiveUp };
    struct PendingVisit {
        HWND window;
        Visit visit;
    };

    static LRESULT CALLBACK OnHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    void Schedule(HWND window, Visit visit);
    // A window is being destroyed: its handle may later name another window.
    void Forget(HWND window);
    void VisitPending();
    void AnswerFormatDialog(HWND dialog);
    void GiveUp(HWND dialog);
    void AnswerSaveDialog(HWND dialog);
    void AnswerMessageBox(HWND box);
    void PickDate(HWND dialog);

    UserAnswers answers_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    std::vector<PendingVisit> pending_;
    std::set<HWND> answered_;
    HWND formatDialog_ = nullptr;
    HWND saveDialog_ = nullptr;
    std::vector<SeenMessageBox> messageBoxes_;
    std::vector<std::string> actions_;
    // The hook and the timer reach this user through here; it is the active one until the hook
    // and the timer are gone.
    ScopedOverride<ScriptedUser*> active_;
};
