#include <doctest/doctest.h>

#include "CivilDays.h"
#include "calendar/BankingCalendar.h"
#include "calendar/Clock.h"
#include "fixtures/AnsweringUser.h"

namespace {

const HWND Owner = reinterpret_cast<HWND>(0x4242);
constexpr UINT ExclamationOk = 0x30;

const char NotBeforeToday[] =
    "The processing date you specify for payments MUST be on or after the current system date.";
const char TooFarAhead[] = "The processing date specified is too far in the future.\r"
                           "Processing dates can be at most 365 days after today's date.";

void CheckOnlyMessage(const AnsweringUser& user, const std::string& text,
                      const std::string& caption) {
    REQUIRE(user.messages.size() == 1);
    CHECK(user.messages[0].owner == Owner);
    CHECK(user.messages[0].text == text);
    CHECK(user.messages[0].caption == caption);
    CHECK(user.messages[0].style == ExclamationOk);
}

} // namespace

TEST_CASE("today comes from the local clock, time of day included") {
    const FixedLocalTime clock(Moment(2024, 3, 29, 18, 0));
    CHECK(GetToday() == Day(2024, 3, 29) + 0.75);
}

TEST_CASE("a processing date must not lie before today") {
    // Wednesday 10 July 2024, a quarter past nine.
    const FixedLocalTime clock(Moment(2024, 7, 10, 9, 15));
    AnsweringUser user;

    SUBCASE("yesterday is refused") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 7, 9) + 0.9));
        CheckOnlyMessage(user, NotBeforeToday, "Invalid Banking Date Specified");
    }
    SUBCASE("today passes at any time of day") {
        CHECK(ValidateBankingDate(Owner, Day(2024, 7, 10)));
        CHECK(ValidateBankingDate(Owner, Day(2024, 7, 10) + 0.99));
        CHECK(user.messages.empty());
    }
    SUBCASE("a past weekend day gets the past-date warning, not the weekend one") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 7, 7)));
        CheckOnlyMessage(user, NotBeforeToday, "Invalid Banking Date Specified");
    }
    SUBCASE("a future banking day passes") {
        CHECK(ValidateBankingDate(Owner, Day(2024, 7, 11) + 0.5));
        CHECK(user.messages.empty());
    }
}

TEST_CASE("a processing date on a non-banking day is refused with the days to advance") {
    const FixedLocalTime clock(Moment(2024, 7, 10, 9, 15));
    AnsweringUser user;

    SUBCASE("a Saturday: two days") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 7, 13)));
        CheckOnlyMessage(user,
                         "The date you specified falls on a weekend. Try advancing the date \r\n"
                         "2 days to the next likely Banking Day.",
                         "Non-Banking Date Specified");
    }
    SUBCASE("a Sunday: one day") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 7, 14) + 0.5));
        CheckOnlyMessage(user,
                         "The date you specified falls on a weekend. Try advancing the date \r\n"
                         "1 day to the next likely Banking Day.",
                         "Non-Banking Date Specified");
    }
    SUBCASE("the August bank holiday: one day") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 8, 26)));
        CheckOnlyMessage(user,
                         "The date you specified falls on a Bank holiday. Try advancing the "
                         "date \r\n1 day to the next likely Banking Day.",
                         "Non-Banking Date Specified");
    }
    SUBCASE("Christmas Day on a Wednesday: two days") {
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2024, 12, 25)));
        CheckOnlyMessage(user,
                         "The date you specified falls on a Bank holiday. Try advancing the "
                         "date \r\n2 days to the next likely Banking Day.",
                         "Non-Banking Date Specified");
    }
    SUBCASE("Christmas Day on a Saturday: a weekend, four days") {
        const FixedLocalTime earlier(Moment(2021, 12, 20));
        CHECK_FALSE(ValidateBankingDate(Owner, Day(2021, 12, 25)));
        CheckOnlyMessage(user,
                         "The date you specified falls on a weekend. Try advancing the date \r\n"
                         "4 days to the next likely Banking Day.",
                         "Non-Banking Date Specified");
    }
}

TEST_CASE("a processing date may lie at most 365 days after today") {
    // 10 January 2024: the year ahead contains 29 February.
    const FixedLocalTime clock(Moment(2024, 1, 10, 9, 15));
    AnsweringUser user;

    SUBCASE("365 days ahead passes, at any time of day") {
        CHECK_FALSE(IsBeyondDateLimit(Owner, Day(2025, 1, 9) + 0.99));
        CHECK(user.messages.empty());
    }
    SUBCASE("366 days ahead is refused, though it is the same date next year") {
        CHECK(IsBeyondDateLimit(Owner, Day(2025, 1, 10)));
        CheckOnlyMessage(user, TooFarAhead, "Invalid Processing Date Specified");
    }
    SUBCASE("today and the past are not too far") {
        CHECK_FALSE(IsBeyondDateLimit(Owner, Day(2024, 1, 10)));
        CHECK_FALSE(IsBeyondDateLimit(Owner, Day(2023, 6, 1)));
        CHECK(user.messages.empty());
    }
    SUBCASE("the banking-day check does not look at the limit") {
        CHECK(ValidateBankingDate(Owner, Day(2026, 3, 3)));
        CHECK(user.messages.empty());
    }
}

TEST_CASE("each check reads the clock afresh") {
    AnsweringUser user;
    const DATE friday = Day(2024, 7, 12);
    {
        const FixedLocalTime clock(Moment(2024, 7, 11, 23, 59));
        CHECK(ValidateBankingDate(Owner, friday));
    }
    {
        const FixedLocalTime clock(Moment(2024, 7, 13, 0, 1));
        CHECK_FALSE(ValidateBankingDate(Owner, friday));
    }
    CHECK(user.messages.size() == 1);
}
