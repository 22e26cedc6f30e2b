#include "calendar/UserInteraction.h"

#include "calendar/PayInfoDialog.h"

namespace {

// The person in front of the screen, through the real Win32 dialogs.
class DesktopUser : public UserInteraction {
public:
    int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) override {
        return MessageBoxA(owner, text, caption, style);
    }

    bool ChooseSaveFile(OPENFILENAMEW& request) override {
        return GetSaveFileNameW(&request) != FALSE;
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
