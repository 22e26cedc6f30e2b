#include <string>
#include <doctest/doctest.h>

#include <windows.h>
#include <dlgs.h>

#include "CivilDays.h"
#include "ScriptedWindow.h"
#include "calendar/Clock.h"
#include "calendar/PayInfoDialogIds.h"
#include "calendar/UserInteraction.h"
#include "fixtures/AnsweringUser.h"
#include "support/WideText.h"

namespace {

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The texts of a window's children, one after the other.
std::string ChildTexts(HWND window) {
    std::string texts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        texts += WindowText(child) + "|";
    }
    return texts;
}

} // namespace

TEST_CASE("a scoped user is in place for its lifetime, and scopes nest") {
    UserInteraction& desktop = CurrentUserInteraction();
    {
        AnsweringUser outer;
        CHECK(&CurrentUserInteraction() == &outer);
        {
            AnsweringUser inner;
            CHECK(&CurrentUserInteraction() == &inner);
            CurrentUserInteraction().ShowMessage(nullptr, "inner", "test", MB_OK);
            CHECK(inner.messages.size() == 1);
        }
        CHECK(&CurrentUserInteraction() == &outer);
        CHECK(outer.messages.empty());
    }
    CHECK(&CurrentUserInteraction() == &desktop);
}

TEST_CASE("the desktop user sees a real message box and its answer comes back") {
    std::string caption;
    std::string texts;
    const int answer = RunScripted(
        [] {
            return CurrentUserInteraction().ShowMessage(nullptr, "Do you wish to continue?",
                                                        "A question", MB_ICONQUESTION | MB_YESNO);
        },
        [&](HWND box) {
            caption = WindowText(box);
            texts = ChildTexts(box);
            Click(box, IDNO);
        });

    CHECK(answer == IDNO);
    CHECK(caption == "A question");
    CHECK(texts.find("Do you wish to continue?") != std::string::npos);
}

TEST_CASE("the desktop user chooses a file in the real save dialog") {
    wchar_t path[MAX_PATH] = L"payments.csv";
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrFilter = L"Payment files\0*.csv\0";
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST;
    const auto choose = [&] {
        return static_cast<int>(CurrentUserInteraction().ChooseSaveFile(request));
    };
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const auto typeAndSave = [&](const std::wstring& typed) {
        return [typed](HWND dialog) {
            SetDlgItemTextW(dialog, cmb13, typed.c_str());
            Click(dialog, IDOK);
        };
    };

    SUBCASE("a typed name is chosen as typed, also outside the ANSI code page") {
        for (const wchar_t* name : {L"chosen payments.csv", L"chosen \u0100 payments.csv"}) {
            const std::wstring chosen = std::wstring(folder) + name;
            CHECK(RunScripted(choose, typeAndSave(chosen)) ==
                  static_cast<int>(SaveDialogEnd::Chosen));
            CHECK(std::wstring(path) == chosen);
        }
    }
    SUBCASE("a name longer than the buffer is chosen all the same, not cancelled") {
        request.nMaxFile = 8;
        CHECK(RunScripted(choose, typeAndSave(std::wstring(folder) + L"chosen payments.csv")) ==
              static_cast<int>(SaveDialogEnd::PathTooLong));
    }
    SUBCASE("Cancel chooses nothing") {
        CHECK(RunScripted(choose, [](HWND dialog) { Click(dialog, IDCANCEL); }) ==
              static_cast<int>(SaveDialogEnd::Cancelled));
    }
}

TEST_CASE("the desktop user answers the real payment format dialog") {
    const FixedLocalTime clock(Moment(2024, 7, 13, 8, 30));
    UserInteraction& desktop = CurrentUserInteraction();
    // Warnings inside the dialog would go to this user; none are expected.
    AnsweringUser warnings;
    PaymentFormatChoice choice{};
    const auto choose = [&] {
        choice = desktop.ChoosePaymentFormat(nullptr, BacsId);
        return choice.endCode;
    };

    SUBCASE("OK gives the format and the date") {
        RunScripted(choose, [](HWND dialog) { Click(dialog, IDOK); });
        CHECK(choice.endCode == IDOK);
        CHECK(choice.format == BacsId);
        CHECK(SameMoment(choice.processingDate, Day(2024, 7, 15) + 8.5 / 24));
    }
    SUBCASE("Cancel gives the cancel code") {
        RunScripted(choose, [](HWND dialog) { Click(dialog, IDCANCEL); });
        CHECK(choice.endCode == IDCANCEL);
    }
    CHECK(warnings.messages.empty());
}
