#pragma once
// A user for tests: records every message box the component shows and answers it from a
// queue of answers (IDOK when the queue is empty). Puts itself in place for its lifetime;
// any other exchange with the user fails the test.
#include <deque>
#include <string>
#include <vector>

#include "calendar/UserInteraction.h"

struct ShownMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

class RecordingUser : public UserInteraction {
public:
    RecordingUser() : scope_(*this) {}

    int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) override;
    bool ChooseSaveFile(OPENFILENAMEA& request) override;
    PaymentFormatChoice ChoosePaymentFormat(HWND owner, PaymentFormat initial) override;

    std::vector<ShownMessage> messages;
    std::deque<int> answers;

private:
    ScopedUserInteraction scope_;
};
