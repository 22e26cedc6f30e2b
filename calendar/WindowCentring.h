#pragma once
#include <windows.h>

// Centres a top-level window over its owner, or over the work area when the owner is missing,
// hidden or minimised, and keeps it inside the work area. Size, Z order and activation stay.
void CentreOverOwner(HWND window);
