#pragma once
// The modal dialog in which the user picks the payment file format and, for "Payment 1 To 1",
// the processing date, which must pass the banking calendar's checks before OK closes it.
#include <windows.h>
#include <commctrl.h>
#include <oaidl.h>

#include "calendar/LoadedLibrary.h"

class CPayInfoDialog {
public:
    // The format preselected when the dialog opens (a PaymentFormat). Registers the date and
    // time picker class of the common controls.
    explicit CPayInfoDialog(int initialFormat);
    CPayInfoDialog(const CPayInfoDialog&) = delete;
    CPayInfoDialog& operator=(const CPayInfoDialog&) = delete;

    // Shows dialog 1001 modally, owned by owner: IDOK after an accepted OK, IDCANCEL after a
    // (confirmed) Cancel, -1 when the dialog cannot be created or fails while shown.
    int RunDialog(HWND owner);
    // The processing date: the default from the moment the dialog opens, then every date picked.
    DATE GetProcessingDate() const { return processingDate_; }
    // The chosen format (a PaymentFormat).
    int GetFormat() const { return format_; }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnOpen();
    void OnFormatChosen(int control);
    void OnDateChanged(const NMDATETIMECHANGE& change);
    void OnOk();
    void OnCancel();
    INT_PTR OnStaticColour(HDC context, HWND control);
    void EnableDateControls();

    LoadedLibrary commonControls_;
    bool changed_ = false;
    DATE processingDate_ = 0;
    int format_;
    HWND window_ = nullptr;
};
