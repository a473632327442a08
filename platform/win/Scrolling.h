// Scroll bars of windows: per window and direction a range, a page and a
// position, read and set through GetScrollInfo and SetScrollInfo; a window's
// linked scroll-bar control per direction (the framework's CWnd would name
// it; the stand-in keeps it here); and ScrollWindow, which records the
// amounts per window for tests (there is no screen to move).
//
// Any thread: one lock guards the state.
#pragma once

#include "platform/win/WinTypes.h"

#include <vector>

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;

constexpr UINT SIF_RANGE = 0x1;
constexpr UINT SIF_PAGE = 0x2;
constexpr UINT SIF_POS = 0x4;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Fills the parts `info->fMask` asks for of the scroll bar `bar` of the
// window (SB_CTL: the window is a scroll-bar control). FALSE for a null
// window or info, or a bar that was never set.
BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info);

// Sets the parts `info->fMask` names; the position is kept within the range
// (min to max - page + 1). Answers the position afterwards; 0 for a null
// window or info.
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw);

// Records that the window's content moved by (dx, dy). The rectangles are not
// used. FALSE for a null window.
BOOL ScrollWindow(HWND window, int dx, int dy, const void* rect, const void* clipRect);

struct HvScrollAmount {
  int dx;
  int dy;
};
// The amounts recorded for the window, in order.
std::vector<HvScrollAmount> hvScrollAmounts(HWND window);

// Links a scroll-bar control to the window's direction (SB_HORZ or SB_VERT);
// a null control removes the link.
void hvSetScrollBarControl(HWND window, int direction, HWND control);
// The control linked to that direction; null when none.
HWND hvScrollBarControl(HWND window, int direction);

// Forgets every scroll state, link and amount of the window.
void hvForgetScrolling(HWND window);
