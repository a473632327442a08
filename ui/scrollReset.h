// Scrolling a resizable window back to its origin, as it is done before the
// window lays its controls out again.
//
// Host (user-interface) thread, like the window.
#pragma once

#include "platform/win/WinTypes.h"

// For each direction asked for whose scroll bar (the linked scroll-bar
// control when the window has one, else the window's own) has a range, a
// page of at least 1 and a position above 0: the position becomes 0 and the
// window content scrolls back by the old position. Answers the number of
// directions reset.
int resetScrollPositions(HWND window, bool horizontal, bool vertical);
