#pragma once
// A user for payment runs, written for the tests: answers the payment format dialog, the save
// dialog and message boxes as scripted, and records what it was shown (also in a CallLog, to
// place it among the host calls).
#include <windows.h>

#include <string>
#include <vector>

#include "calendar/UserInteraction.h"
#include "payments/FakeHost.h"

class ScriptedUser final : public UserInteraction {
public:
    explicit ScriptedUser(CallLog* log = nullptr) : log_(log) {}

    // Answers.
    PaymentFormatChoice formatAnswer = {IDOK, OneToOne, 0.0};
    bool chooseFile = true;
    std::string chosenPath;
    int messageAnswer = IDNO;

    // What the user was shown.
    struct Message {
        HWND owner;
        std::string text;
        std::string caption;
        UINT style;
    };
    std::vector<Message> messages;
    std::vector<PaymentFormat> formatDialogs;
    struct SaveRequest {
        std::string initialFile;
        // Descriptions and patterns, in order.
        std::vector<std::string> filter;
        DWORD filterIndex;
        bool hasDefaultExtension;
        std::string defaultExtension;
        DWORD flags;
        DWORD maxFile;
        const char* title;
    };
    std::vector<SaveRequest> saveRequests;

    int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) override;
    bool ChooseSaveFile(OPENFILENAMEA& request) override;
    PaymentFormatChoice ChoosePaymentFormat(HWND owner, PaymentFormat initial) override;

private:
    void Record(const std::string& event);

    CallLog* log_;
};
