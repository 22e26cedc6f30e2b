#pragma once
#include <windows.h>
#include <commdlg.h>
#include <oaidl.h>

#include "calendar/PaymentFormat.h"
#include "com/ScopedOverride.h"

// What the user answered in the payment format dialog; format and date count only when
// endCode is IDOK.
struct PaymentFormatChoice {
    int endCode;
    PaymentFormat format;
    DATE processingDate;
};

// How the save dialog ended: a path chosen; cancelled (or the dialog failed); or a path chosen
// that is longer than the dialog's buffer, which is the user's choice all the same.
enum class SaveDialogEnd { Chosen, Cancelled, PathTooLong };

// Every exchange with the user goes through here: message boxes, the save dialog and the
// payment format dialog. The default is the real Win32 dialog; tests answer in its place.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // MessageBoxA: returns the button pressed (IDOK, IDYES, IDNO...).
    virtual int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) = 0;
    // GetSaveFileNameW, with CommDlgExtendedError telling a path too long for the buffer from a
    // cancellation. Wide, so that a name outside the ANSI code page comes back as typed rather
    // than as a look-alike.
    virtual SaveDialogEnd ChooseSaveFile(OPENFILENAMEW& request) = 0;
    // Shows the payment format dialog modally with the given format preselected.
    virtual PaymentFormatChoice ChoosePaymentFormat(HWND owner, PaymentFormat initial) = 0;
};

// The user the component talks to now.
UserInteraction& CurrentUserInteraction();

// Puts another user in place for its lifetime.
class ScopedUserInteraction {
public:
    explicit ScopedUserInteraction(UserInteraction& user);

private:
    ScopedOverride<UserInteraction*> inPlace_;
};
