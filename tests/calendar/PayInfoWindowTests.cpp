#include <doctest/doctest.h>

#include "CivilDays.h"
#include "PayInfoDialogActions.h"
#include "ScriptedWindow.h"
#include "calendar/Clock.h"
#include "calendar/PayInfoDialogIds.h"
#include "com/ModuleInstance.h"
#include "fixtures/AnsweringUser.h"

namespace {

// A top-level window to own the dialog, destroyed with the test.
class OwnerWindow {
public:
    OwnerWindow(int left, int top, int width, int height)
        : window_(CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPED | WS_CAPTION, left, top,
                                  width, height, nullptr, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Get() const { return window_; }

private:
    HWND window_;
};

// A memory device context, deleted with the test.
class MemoryContext {
public:
    MemoryContext() : context_(CreateCompatibleDC(nullptr)) {}
    ~MemoryContext() { DeleteDC(context_); }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    HDC Get() const { return context_; }

private:
    HDC context_;
};

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

POINT Centre(const RECT& bounds) {
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

bool CentredOn(const RECT& placed, const RECT& on) {
    const POINT placedCentre = Centre(placed);
    const POINT onCentre = Centre(on);
    return labs(placedCentre.x - onCentre.x) <= 1 && labs(placedCentre.y - onCentre.y) <= 1;
}

// Where the dialog appears when owned by owner (null for none).
RECT DialogBoundsWithOwner(HWND owner) {
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    RECT bounds{};
    const int endCode = ShowDialog(
        dialog,
        [&](HWND window) {
            GetWindowRect(window, &bounds);
            Click(window, IDCANCEL);
        },
        owner);
    CHECK(endCode == IDCANCEL);
    return bounds;
}

} // namespace

TEST_CASE("the dialog is centred over its owner and kept inside the work area") {
    const FixedLocalTime clock(Moment(2024, 7, 10, 9, 0));
    const RECT area = WorkArea();

    SUBCASE("without an owner, on the work area") {
        CHECK(CentredOn(DialogBoundsWithOwner(nullptr), area));
    }
    SUBCASE("over an owner in the middle of the screen") {
        OwnerWindow owner(300, 200, 400, 300);
        ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
        RECT ownerBounds{};
        GetWindowRect(owner.Get(), &ownerBounds);
        CHECK(CentredOn(DialogBoundsWithOwner(owner.Get()), ownerBounds));
    }
    SUBCASE("against the left and top edges for an owner in the corner") {
        OwnerWindow owner(area.left, area.top, 100, 100);
        ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
        const RECT bounds = DialogBoundsWithOwner(owner.Get());
        CHECK(bounds.left == area.left);
        CHECK(bounds.top == area.top);
    }
    SUBCASE("against the right and bottom edges for an owner in the far corner") {
        OwnerWindow owner(area.right - 120, area.bottom - 100, 120, 100);
        ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
        const RECT bounds = DialogBoundsWithOwner(owner.Get());
        CHECK(bounds.right == area.right);
        CHECK(bounds.bottom == area.bottom);
    }
    SUBCASE("on the work area when the owner is hidden") {
        OwnerWindow owner(area.left, area.top, 100, 100);
        CHECK(CentredOn(DialogBoundsWithOwner(owner.Get()), area));
    }
    SUBCASE("on the work area when the owner is minimised") {
        OwnerWindow owner(area.left, area.top, 100, 100);
        ShowWindow(owner.Get(), SW_SHOWMINNOACTIVE);
        CHECK(CentredOn(DialogBoundsWithOwner(owner.Get()), area));
    }
}

TEST_CASE("the dialog shows icon 200 as its big and small icon") {
    const FixedLocalTime clock(Moment(2024, 7, 10, 9, 0));
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    const HICON expected = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PAYMENT));
    REQUIRE(expected != nullptr);

    ShowDialog(dialog, [&](HWND window) {
        CHECK(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)) == expected);
        CHECK(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)) == expected);
        Click(window, IDCANCEL);
    });
}

TEST_CASE("the date label and the note are drawn without a background of their own") {
    const FixedLocalTime clock(Moment(2024, 7, 10, 9, 0));
    AnsweringUser user;
    CPayInfoDialog dialog(OneToOne);
    MemoryContext context;
    const auto colourFor = [&](HWND window, int control) {
        SetBkMode(context.Get(), OPAQUE);
        return reinterpret_cast<HBRUSH>(
            SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context.Get()),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, control))));
    };
    const HBRUSH nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));

    ShowDialog(dialog, [&](HWND window) {
        for (const int control : {IDC_DATE_LABEL, IDC_FORMAT_NOTE}) {
            INFO("control ", control);
            CHECK(colourFor(window, control) == nullBrush);
            CHECK(GetBkMode(context.Get()) == TRANSPARENT);
        }
        for (const int control : {IDC_ONE_TO_ONE, IDC_BACS_ID, IDC_FORMAT_GROUP}) {
            INFO("control ", control);
            CHECK(colourFor(window, control) != nullBrush);
            CHECK(GetBkMode(context.Get()) == OPAQUE);
        }
        Click(window, IDCANCEL);
    });
}
