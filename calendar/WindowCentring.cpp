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

bool MonitorOfWindow(HWND window, MONITORINFO& monitor) {
    monitor.cbSize = sizeof monitor;
    return GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE;
}

MonitorLookup monitorLookup = &MonitorOfWindow;

// The work area of the monitor that holds the window, or the nearest one; the primary
// monitor's when the monitor cannot tell.
RECT WorkAreaHolding(HWND window) {
    MONITORINFO monitor{};
    if (monitorLookup(window, monitor)) {
        return monitor.rcWork;
    }
    RECT primary{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    return primary;
}

} // namespace

POINT CentredPosition(const RECT& owner, bool ownerShown, SIZE size, const RECT& workArea) {
    const RECT& centreOn = ownerShown ? owner : workArea;
    return {CentredStart(centreOn.left, centreOn.right, size.cx, workArea.left, workArea.right),
            CentredStart(centreOn.top, centreOn.bottom, size.cy, workArea.top, workArea.bottom)};
}

void CentreOverOwner(HWND window) {
    const HWND owner = GetWindow(window, GW_OWNER);
    RECT ownerBounds{};
    if (owner != nullptr) {
        GetWindowRect(owner, &ownerBounds);
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // A minimised or hidden owner's monitor is still where the user expects the window.
    const POINT start = CentredPosition(ownerBounds, ShowsOnScreen(owner),
                                        {bounds.right - bounds.left, bounds.bottom - bounds.top},
                                        WorkAreaHolding(owner != nullptr ? owner : window));
    SetWindowPos(window, nullptr, start.x, start.y, -1, -1,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ScopedMonitorLookup::ScopedMonitorLookup(MonitorLookup lookup) : inPlace_(monitorLookup, lookup) {}
