#include "calendar/UserInteraction.h"

#include <cderr.h>

#include "calendar/PayInfoDialog.h"

namespace {

// The person in front of the screen, through the real Win32 dialogs.
class DesktopUser : public UserInteraction {
public:
    int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) override {
        return MessageBoxA(owner, text, caption, style);
    }

    SaveDialogEnd ChooseSaveFile(OPENFILENAMEW& request) override {
        if (GetSaveFileNameW(&request)) {
            return SaveDialogEnd::Chosen;
        }
        // A cancellation leaves no extended error; any other one is a dialog that failed.
        return CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? SaveDialogEnd::PathTooLong
                                                              : SaveDialogEnd::Cancelled;
    }

    PaymentFormatChoice ChoosePaymentFormat(HWND owner, PaymentFormat initial) override {
        CPayInfoDialog dialog(initial);
        const int endCode = dialog.RunDialog(owner);
        return {endCode, static_cast<PaymentFormat>(dialog.GetFormat()),
                dialog.GetProcessingDate()};
    }
};

DesktopUser desktopUser;
UserInteraction* currentUser = &desktopUser;

} // namespace

UserInteraction& CurrentUserInteraction() {
    return *currentUser;
}

ScopedUserInteraction::ScopedUserInteraction(UserInteraction& user)
    : inPlace_(currentUser, &user) {}
