#include "RecordingUser.h"

#include <doctest/doctest.h>

int RecordingUser::ShowMessage(HWND owner, const char* text, const char* caption, UINT style) {
    messages.push_back({owner, text, caption, style});
    if (answers.empty()) {
        return IDOK;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingUser::ChooseSaveFile(OPENFILENAMEA&) {
    FAIL_CHECK("the save dialog was not expected here");
    return false;
}

PaymentFormatChoice RecordingUser::ChoosePaymentFormat(HWND, PaymentFormat) {
    FAIL_CHECK("the payment format dialog was not expected here");
    return {IDCANCEL, OneToOne, 0};
}
