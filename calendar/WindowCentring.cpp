#include "calendar/WindowCentring.h"

namespace {

// Where a window of the given extent starts when centred on [centreFrom, centreTo) and kept
// inside [areaFrom, areaTo); the leading edge wins when it does not fit at all.
LONG CentredStart(LONG centreFrom, LONG centreTo, LONG extent, LONG areaFrom, LONG areaTo) {
    const LONG start = (centreFrom + centreTo) / 2 - extent / 2;
    if (start < areaFrom) {
        return areaFrom;
    }
    if (start + extent > areaTo) {
        return areaTo - extent;
    }
    return start;
}

bool ShowsOnScreen(HWND owner) {
    return owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner);
}

} // namespace

void CentreOverOwner(HWND window) {
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);

    const HWND owner = GetWindow(window, GW_OWNER);
    RECT centreOn = workArea;
    if (ShowsOnScreen(owner)) {
        GetWindowRect(owner, &centreOn);
    }

    RECT bounds{};
    GetWindowRect(window, &bounds);
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    const LONG left =
        CentredStart(centreOn.left, centreOn.right, width, workArea.left, workArea.right);
    const LONG top =
        CentredStart(centreOn.top, centreOn.bottom, height, workArea.top, workArea.bottom);
    SetWindowPos(window, nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
