#include <string>
#include <doctest/doctest.h>

#include "calendar/WindowCentring.h"

namespace {

// Work areas of a desktop with a second monitor to the right of the primary and a third one
// above it, less their task bars.
constexpr RECT PrimaryArea{0, 0, 1920, 1040};
constexpr RECT RightArea{1920, 0, 3840, 1040};
constexpr RECT AboveArea{-200, -1080, 1720, -40};
constexpr bool Shown = true;
constexpr bool NotShown = false;

// Where a window about the size of the payment format dialog starts, as "x, y".
std::string DialogStart(const RECT& owner, bool ownerShown, const RECT& workArea) {
    const POINT start = CentredPosition(owner, ownerShown, {600, 220}, workArea);
    return std::to_string(start.x) + ", " + std::to_string(start.y);
}

} // namespace

TEST_CASE("a window is placed over its owner inside the given work area") {
    SUBCASE("on the primary monitor") {
        CHECK(DialogStart({300, 200, 1100, 800}, Shown, PrimaryArea) == "400, 390");
        CHECK(DialogStart({300, 200, 1100, 800}, NotShown, PrimaryArea) == "660, 410");
    }
    SUBCASE("on a monitor to the right of the primary") {
        CHECK(DialogStart({2200, 100, 3000, 700}, Shown, RightArea) == "2300, 290");
        CHECK(DialogStart({2200, 100, 3000, 700}, NotShown, RightArea) == "2580, 410");
        // An owner reaching over onto the primary: the dialog stays on the owner's monitor.
        CHECK(DialogStart({1800, 300, 2400, 700}, Shown, RightArea) == "1920, 390");
    }
    SUBCASE("on a monitor above the primary, at negative coordinates") {
        CHECK(DialogStart({-100, -1000, 500, -600}, Shown, AboveArea) == "-100, -910");
        CHECK(DialogStart({-100, -1000, 500, -600}, NotShown, AboveArea) == "460, -670");
        CHECK(DialogStart({-200, -1080, 0, -980}, Shown, AboveArea) == "-200, -1080");
        CHECK(DialogStart({1600, -150, 1720, -40}, Shown, AboveArea) == "1120, -260");
    }
    SUBCASE("the left and top edges win over the right and bottom ones") {
        CHECK(DialogStart({0, 0, 500, 200}, Shown, {0, 0, 500, 200}) == "0, 0");
        CHECK(DialogStart({2000, -100, 2500, 100}, Shown, {2000, -100, 2500, 100}) == "2000, -100");
    }
}

namespace {

// A desktop of two monitors, each with a task bar along its bottom edge: the owner's window is
// on the right one, every other window on the primary.
HWND rightMonitorWindow = nullptr;

bool TwoMonitorDesktop(HWND window, MONITORINFO& monitor) {
    if (window == rightMonitorWindow) {
        monitor.rcMonitor = {1920, 0, 3840, 1080};
        monitor.rcWork = RightArea;
    } else {
        monitor.rcMonitor = {0, 0, 1920, 1080};
        monitor.rcWork = PrimaryArea;
    }
    return true;
}

HWND PopupWindow(const RECT& bounds, HWND owner, DWORD style) {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, owner, nullptr,
                           nullptr, nullptr);
}

} // namespace

TEST_CASE("a window is kept inside the work area of its owner's monitor") {
    const ScopedMonitorLookup desktop(&TwoMonitorDesktop);
    // Low on the right monitor: centred over it, the dialog would reach into the task bar.
    const HWND owner = PopupWindow({2200, 900, 3000, 1080}, nullptr, WS_VISIBLE);
    const HWND dialog = PopupWindow({0, 0, 600, 220}, owner, 0);
    REQUIRE(owner != nullptr);
    REQUIRE(dialog != nullptr);
    rightMonitorWindow = owner;
    CentreOverOwner(dialog);
    RECT placed{};
    GetWindowRect(dialog, &placed);
    CHECK(std::to_string(placed.left) + ", " + std::to_string(placed.top) == "2300, 820");
    DestroyWindow(dialog);
    DestroyWindow(owner);
}
