#include "calendar/PayInfoDialog.h"

#include "calendar/BankingCalendar.h"
#include "calendar/PayInfoDialogIds.h"
#include "calendar/PaymentFormat.h"
#include "calendar/SystemLibrary.h"
#include "calendar/UserInteraction.h"
#include "calendar/WindowCentring.h"
#include "com/ModuleInstance.h"

namespace {

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// The date picker is registered through the loaded library, so the component needs no
// link-time tie to the common controls' newer entry points.
void RegisterDatePicker(HMODULE commonControls) {
    if (commonControls == nullptr) {
        return;
    }
    const FARPROC found = GetProcAddress(commonControls, "InitCommonControlsEx");
    if (found == nullptr) {
        return;
    }
    const auto initialise =
        reinterpret_cast<InitCommonControlsExFunction>(reinterpret_cast<void (*)()>(found));
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    initialise(&classes);
}

void ShowWindowIcon(HWND window) {
    const HICON icon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PAYMENT));
    if (icon == nullptr) {
        return;
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void ShowDate(HWND picker, DATE date) {
    static const char DisplayFormat[] = "dd/MM/yyyy";
    SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(DisplayFormat));
    SYSTEMTIME parts{};
    VariantTimeToSystemTime(date, &parts);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&parts));
}

} // namespace

CPayInfoDialog::CPayInfoDialog(int initialFormat)
    : commonControls_(LoadSystemLibrary(L"comctl32.dll")), format_(initialFormat) {
    RegisterDatePicker(commonControls_.Get());
}

int CPayInfoDialog::RunDialog(HWND owner) {
    const INT_PTR endCode = DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_PAY_INFO), owner,
                                            DialogProcedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return static_cast<int>(endCode);
}

INT_PTR CALLBACK CPayInfoDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        reinterpret_cast<CPayInfoDialog*>(lParam)->window_ = window;
    }
    auto* dialog = reinterpret_cast<CPayInfoDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (dialog == nullptr) {
        return FALSE;
    }
    try {
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // A failure must not unwind through the window manager: the dialog ends as failed.
        EndDialog(window, -1);
        return TRUE;
    }
}

INT_PTR CPayInfoDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnOpen();
        return FALSE; // the keyboard focus stays where the platform put it
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ONE_TO_ONE:
        case IDC_BACS_ID:
            OnFormatChosen(LOWORD(wParam));
            return TRUE;
        case IDOK:
            OnOk();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code != DTN_DATETIMECHANGE) {
            return FALSE;
        }
        OnDateChanged(*reinterpret_cast<const NMDATETIMECHANGE*>(lParam));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        return OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return FALSE;
    }
}

void CPayInfoDialog::OnOpen() {
    CentreOverOwner(window_);
    ShowWindowIcon(window_);
    const DATE defaultDate = GetNextBankingDay(GetToday());
    ShowDate(GetDlgItem(window_, IDC_DATE_PICKER), defaultDate);
    processingDate_ = defaultDate;
    CheckDlgButton(window_, IDC_ONE_TO_ONE + format_, BST_CHECKED);
    EnableDateControls();
}

void CPayInfoDialog::OnFormatChosen(int control) {
    const int chosen = control == IDC_ONE_TO_ONE ? OneToOne : BacsId;
    if (chosen != format_) {
        changed_ = true;
    }
    format_ = chosen;
    EnableDateControls();
}

void CPayInfoDialog::OnDateChanged(const NMDATETIMECHANGE& change) {
    SYSTEMTIME parts = change.st;
    DATE picked = 0;
    if (change.dwFlags != GDT_VALID || !SystemTimeToVariantTime(&parts, &picked)) {
        return;
    }
    if (picked != processingDate_) {
        changed_ = true;
    }
    processingDate_ = picked;
}

void CPayInfoDialog::OnOk() {
    if (!ValidateBankingDate(window_, processingDate_)) {
        return;
    }
    if (IsBeyondDateLimit(window_, processingDate_)) {
        return;
    }
    EndDialog(window_, IDOK);
}

void CPayInfoDialog::OnCancel() {
    if (changed_ && CurrentUserInteraction().ShowMessage(
                        window_, "Do you wish to ignore these changes?", "Changes have been made",
                        MB_ICONQUESTION | MB_YESNO) != IDYES) {
        return;
    }
    EndDialog(window_, IDCANCEL);
}

INT_PTR CPayInfoDialog::OnStaticColour(HDC context, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id != IDC_DATE_LABEL && id != IDC_FORMAT_NOTE) {
        return 0; // the platform's own colours
    }
    // The label and the note show the dialog's background through them.
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

void CPayInfoDialog::EnableDateControls() {
    const BOOL enable = format_ == OneToOne;
    EnableWindow(GetDlgItem(window_, IDC_DATE_LABEL), enable);
    EnableWindow(GetDlgItem(window_, IDC_DATE_PICKER), enable);
}
