#include <string>
#include <doctest/doctest.h>

#include "CivilDays.h"
#include "PayInfoDialogActions.h"
#include "ScriptedWindow.h"
#include "calendar/Clock.h"
#include "calendar/PayInfoDialogIds.h"
#include "calendar/PaymentFormat.h"
#include "fixtures/AnsweringUser.h"

namespace {

constexpr UINT ExclamationOk = 0x30;
constexpr UINT QuestionYesNo = 0x24;

bool IsDay(const CivilDate& shown, int year, int month, int day) {
    return shown.year == year && shown.month == month && shown.day == day;
}

bool IsOpen(HWND dialog) {
    return IsWindowVisible(dialog) != FALSE;
}

void CheckMessage(const AnsweringUser::Message& shown, HWND owner, const std::string& caption,
                  UINT style) {
    CHECK(shown.owner == owner);
    CHECK(shown.caption == caption);
    CHECK(shown.style == style);
}

void CheckCancelQuestion(const AnsweringUser::Message& shown, HWND owner) {
    CHECK(shown.text == "Do you wish to ignore these changes?");
    CheckMessage(shown, owner, "Changes have been made", QuestionYesNo);
}

// The Saturday before Easter 2024, ten in the morning: the next banking day is Tuesday 2 April.
SYSTEMTIME SaturdayBeforeEaster() {
    return Moment(2024, 3, 30, 10, 0);
}
const DATE DefaultProcessingDate = Day(2024, 4, 2) + 10.0 / 24;

} // namespace

TEST_CASE("the dialog opens on Payment 1 To 1 with the next banking day, and OK accepts it") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        CHECK(IsChecked(window, IDC_ONE_TO_ONE));
        CHECK_FALSE(IsChecked(window, IDC_BACS_ID));
        CHECK(IsEnabled(window, IDC_DATE_LABEL));
        CHECK(IsEnabled(window, IDC_DATE_PICKER));
        CHECK(IsDay(PickerDay(window), 2024, 4, 2));
        char shownText[32] = {};
        GetDlgItemTextA(window, IDC_DATE_PICKER, shownText, sizeof shownText);
        CHECK(std::string(shownText) == "02/04/2024");
        CHECK(SameMoment(dialog.GetProcessingDate(), DefaultProcessingDate));
        Click(window, IDOK);
    });

    CHECK(endCode == IDOK);
    CHECK(dialog.GetFormat() == OneToOne);
    CHECK(SameMoment(dialog.GetProcessingDate(), DefaultProcessingDate));
    CHECK(user.messages.empty());
}

TEST_CASE("opened on an ordinary Saturday, the dialog proposes the Monday") {
    const FixedLocalTime clock(Moment(2024, 7, 13, 8, 30));
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        CHECK(IsDay(PickerDay(window), 2024, 7, 15));
        Click(window, IDOK);
    });

    CHECK(endCode == IDOK);
    CHECK(SameMoment(dialog.GetProcessingDate(), Day(2024, 7, 15) + 8.5 / 24));
}

TEST_CASE("the date controls follow the chosen format") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    user.messageAnswers = {IDYES};
    CPayInfoDialog dialog(OneToOne);
    HWND shown = nullptr;

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        shown = window;
        Click(window, IDC_BACS_ID);
        CHECK(IsChecked(window, IDC_BACS_ID));
        CHECK_FALSE(IsChecked(window, IDC_ONE_TO_ONE));
        CHECK_FALSE(IsEnabled(window, IDC_DATE_LABEL));
        CHECK_FALSE(IsEnabled(window, IDC_DATE_PICKER));
        CHECK(dialog.GetFormat() == BacsId);

        Click(window, IDC_ONE_TO_ONE);
        CHECK(IsChecked(window, IDC_ONE_TO_ONE));
        CHECK_FALSE(IsChecked(window, IDC_BACS_ID));
        CHECK(IsEnabled(window, IDC_DATE_LABEL));
        CHECK(IsEnabled(window, IDC_DATE_PICKER));
        CHECK(dialog.GetFormat() == OneToOne);

        // Back where it started, but the switch counts as a change.
        Click(window, IDCANCEL);
    });

    CHECK(endCode == IDCANCEL);
    REQUIRE(user.messages.size() == 1);
    CheckCancelQuestion(user.messages[0], shown);
}

TEST_CASE("Business eBanking BACS ID chosen and accepted") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        Click(window, IDC_BACS_ID);
        Click(window, IDOK);
    });

    CHECK(endCode == IDOK);
    CHECK(dialog.GetFormat() == BacsId);
    CHECK(SameMoment(dialog.GetProcessingDate(), DefaultProcessingDate));
    CHECK(user.messages.empty());
}

TEST_CASE("opened on Business eBanking BACS ID, the date controls start disabled") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(BacsId);

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        CHECK(IsChecked(window, IDC_BACS_ID));
        CHECK_FALSE(IsChecked(window, IDC_ONE_TO_ONE));
        CHECK_FALSE(IsEnabled(window, IDC_DATE_LABEL));
        CHECK_FALSE(IsEnabled(window, IDC_DATE_PICKER));
        CHECK(IsDay(PickerDay(window), 2024, 4, 2));
        // Choosing the format already chosen is no change.
        Click(window, IDC_BACS_ID);
        Click(window, IDCANCEL);
    });

    CHECK(endCode == IDCANCEL);
    CHECK(user.messages.empty());
}

TEST_CASE("Cancel without changes closes at once") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);

    SUBCASE("the Cancel button") {
        CHECK(ShowDialog(dialog, [](HWND window) { Click(window, IDCANCEL); }) == IDCANCEL);
    }
    SUBCASE("the window's close command") {
        CHECK(ShowDialog(dialog, [](HWND window) {
                  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                  ProcessPendingMessages(window);
              }) == IDCANCEL);
    }
    SUBCASE("the Escape key") {
        CHECK(ShowDialog(dialog, [](HWND window) {
                  PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                  ProcessPendingMessages(window);
              }) == IDCANCEL);
    }
    CHECK(user.messages.empty());
}

TEST_CASE("Cancel after a change asks first") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    user.messageAnswers = {IDNO, IDYES};
    CPayInfoDialog dialog(OneToOne);
    HWND shown = nullptr;

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        shown = window;
        PickDate(window, 2024, 4, 3);
        Click(window, IDCANCEL);
        // No: the dialog stays, values and all.
        CHECK(IsOpen(window));
        CHECK(IsDay(PickerDay(window), 2024, 4, 3));
        CHECK(SameMoment(dialog.GetProcessingDate(), Day(2024, 4, 3) + 10.0 / 24));
        CHECK(IsChecked(window, IDC_ONE_TO_ONE));
        Click(window, IDCANCEL);
    });

    CHECK(endCode == IDCANCEL);
    REQUIRE(user.messages.size() == 2);
    CheckCancelQuestion(user.messages[0], shown);
    CheckCancelQuestion(user.messages[1], shown);
}

TEST_CASE("a picked date counts as a change only when it differs") {
    // At midnight every date the picker reports is a whole day.
    const FixedLocalTime clock(Moment(2024, 7, 10, 0, 0));
    AnsweringUser user;
    user.messageAnswers = {IDYES};
    CPayInfoDialog dialog(OneToOne);

    SUBCASE("picking the date shown is no change") {
        CHECK(ShowDialog(dialog, [](HWND window) {
                  PickDate(window, 2024, 7, 10);
                  Click(window, IDCANCEL);
              }) == IDCANCEL);
        CHECK(user.messages.empty());
    }
    SUBCASE("picking another date and then the first one again is a change") {
        CHECK(ShowDialog(dialog, [](HWND window) {
                  PickDate(window, 2024, 7, 11);
                  PickDate(window, 2024, 7, 10);
                  Click(window, IDCANCEL);
              }) == IDCANCEL);
        CHECK(user.messages.size() == 1);
        CHECK(dialog.GetProcessingDate() == Day(2024, 7, 10));
    }
}

TEST_CASE("OK refuses a non-banking day and accepts a banking day picked after it") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    HWND shown = nullptr;

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        shown = window;
        PickDate(window, 2024, 4, 7); // a Sunday
        Click(window, IDOK);
        CHECK(IsOpen(window));
        PickDate(window, 2024, 4, 8);
        Click(window, IDOK);
    });

    CHECK(endCode == IDOK);
    CHECK(SameMoment(dialog.GetProcessingDate(), Day(2024, 4, 8) + 10.0 / 24));
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].text ==
          "The date you specified falls on a weekend. Try advancing the date \r\n"
          "1 day to the next likely Banking Day.");
    CheckMessage(user.messages[0], shown, "Non-Banking Date Specified", ExclamationOk);
}

TEST_CASE("OK refuses yesterday before looking at holidays") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    HWND shown = nullptr;

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        shown = window;
        PickDate(window, 2024, 3, 29); // Good Friday, and yesterday
        Click(window, IDOK);
        CHECK(IsOpen(window));
    });

    CHECK(endCode == LeftOpenByScript);
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].text == "The processing date you specify for payments MUST be on or "
                                   "after the current system date.");
    CheckMessage(user.messages[0], shown, "Invalid Banking Date Specified", ExclamationOk);
}

TEST_CASE("OK refuses a banking day more than 365 days ahead") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    HWND shown = nullptr;

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        shown = window;
        PickDate(window, 2025, 3, 31); // a Monday, 366 days ahead
        Click(window, IDOK);
        CHECK(IsOpen(window));
        PickDate(window, 2025, 3, 28); // a Friday, 363 days ahead
        Click(window, IDOK);
    });

    CHECK(endCode == IDOK);
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].text == "The processing date specified is too far in the future.\r"
                                   "Processing dates can be at most 365 days after today's date.");
    CheckMessage(user.messages[0], shown, "Invalid Processing Date Specified", ExclamationOk);
    CHECK(SameMoment(dialog.GetProcessingDate(), Day(2025, 3, 28) + 10.0 / 24));
}

TEST_CASE("the date picked before switching to BACS ID is still checked on OK") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);

    const int endCode = ShowDialog(dialog, [&](HWND window) {
        PickDate(window, 2024, 4, 6); // a Saturday
        Click(window, IDC_BACS_ID);
        Click(window, IDOK);
        CHECK(IsOpen(window));
    });

    CHECK(endCode == LeftOpenByScript);
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].caption == "Non-Banking Date Specified");
    CHECK(user.messages[0].text ==
          "The date you specified falls on a weekend. Try advancing the date \r\n"
          "2 days to the next likely Banking Day.");
}

TEST_CASE("a date changed with the keyboard in the picker becomes the processing date") {
    const FixedLocalTime clock(SaturdayBeforeEaster());
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    CivilDate typed{};

    ShowDialog(dialog, [&](HWND window) {
        const HWND picker = GetDlgItem(window, IDC_DATE_PICKER);
        SetFocus(picker);
        for (const WPARAM key : {VK_RIGHT, VK_RIGHT, VK_UP}) {
            SendMessageA(picker, WM_KEYDOWN, key, 0);
            SendMessageA(picker, WM_KEYUP, key, 0);
        }
        typed = PickerDay(window);
    });

    CHECK_FALSE(IsDay(typed, 2024, 4, 2));
    CHECK(SameMoment(dialog.GetProcessingDate(),
                     DayNumber(typed.year, typed.month, typed.day) + 10.0 / 24));
}

TEST_CASE("a failure while the dialog is shown ends it as failed") {
    // A user interaction that fails, as an allocation might inside a warning.
    class FailingUser : public AnsweringUser {
    public:
        int ShowMessage(HWND, const char*, const char*, UINT) override {
            throw static_cast<long>(E_OUTOFMEMORY);
        }
    };
    const FixedLocalTime clock(SaturdayBeforeEaster());
    FailingUser user;
    CPayInfoDialog dialog(OneToOne);

    const int endCode = ShowDialog(dialog, [](HWND window) {
        PickDate(window, 2024, 4, 6);
        Click(window, IDOK);
    });

    CHECK(endCode == -1);
}
