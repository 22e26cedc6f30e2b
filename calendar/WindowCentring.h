#pragma once
#include <windows.h>

#include "com/ScopedOverride.h"

// Where a window of the given size starts: centred over the owner's window rectangle when the
// owner shows on screen, else over the work area, then moved inside the work area. A window
// sticking out past the left or top edge goes against that edge; otherwise one sticking out past
// the right or bottom edge goes against that one.
POINT CentredPosition(const RECT& owner, bool ownerShown, SIZE size, const RECT& workArea);

// Centres a top-level window over its owner, or over the work area when the owner is missing,
// hidden or minimised, and keeps it inside the work area of the monitor that holds the owner
// (the window's own nearest monitor when it has none). Size, Z order and activation stay.
void CentreOverOwner(HWND window);

// The monitor that holds a window, or the nearest one; false when it cannot tell. Windows answers
// by default; a test puts a desktop of several monitors in its place for its lifetime.
using MonitorLookup = bool (*)(HWND window, MONITORINFO& monitor);
class ScopedMonitorLookup {
public:
    explicit ScopedMonitorLookup(MonitorLookup lookup);

private:
    ScopedOverride<MonitorLookup> inPlace_;
};
