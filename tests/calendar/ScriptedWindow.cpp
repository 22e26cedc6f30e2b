#include "ScriptedWindow.h"

#include <string>

namespace {

constexpr UINT PollMilliseconds = 10;
constexpr int MaximumPolls = 500;

// The one script running now; modal dialogs of one thread never overlap.
struct ScriptRun {
    const std::function<void(HWND)>* script = nullptr;
    HHOOK hook = nullptr;
    HWND dialog = nullptr;
    UINT_PTR timer = 0;
    int polls = 0;
};
ScriptRun run;

bool IsDialogWindow(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

void CALLBACK PollDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (!IsWindowVisible(run.dialog)) {
        if (++run.polls > MaximumPolls) {
            KillTimer(nullptr, run.timer);
            run.timer = 0;
            EndDialog(run.dialog, NeverShown);
        }
        return;
    }
    KillTimer(nullptr, run.timer);
    run.timer = 0;
    (*run.script)(run.dialog);
    // Ending a dialog hides it at once; one still visible was left open.
    if (IsWindow(run.dialog) && IsWindowVisible(run.dialog)) {
        EndDialog(run.dialog, LeftOpenByScript);
    }
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && run.dialog == nullptr && IsDialogWindow(window)) {
        run.dialog = window;
        run.timer = SetTimer(nullptr, 0, PollMilliseconds, PollDialog);
    }
    return CallNextHookEx(run.hook, code, wParam, lParam);
}

} // namespace

int RunScripted(const std::function<int()>& show, const std::function<void(HWND)>& script) {
    run = ScriptRun{};
    run.script = &script;
    run.hook = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    const int endCode = show();
    UnhookWindowsHookEx(run.hook);
    if (run.timer != 0) {
        KillTimer(nullptr, run.timer);
    }
    run = ScriptRun{};
    return endCode;
}

void Click(HWND dialog, int button) {
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}
