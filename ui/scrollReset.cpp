#include "ui/scrollReset.h"

#include "platform/win/Scrolling.h"

namespace {

bool resetDirection(HWND window, int direction) {
  HWND control = hvScrollBarControl(window, direction);
  HWND owner = control != nullptr ? control : window;
  const int bar = control != nullptr ? SB_CTL : direction;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(owner, bar, &info)) return false;
  if (info.nMax <= info.nMin || info.nPage < 1 || info.nPos <= 0) return false;
  const int old = info.nPos;
  info.fMask = SIF_POS;
  info.nPos = 0;
  SetScrollInfo(owner, bar, &info, TRUE);
  if (direction == SB_HORZ)
    ScrollWindow(window, old, 0, nullptr, nullptr);
  else
    ScrollWindow(window, 0, old, nullptr, nullptr);
  return true;
}

}  // namespace

int resetScrollPositions(HWND window, bool horizontal, bool vertical) {
  if (window == nullptr) return 0;
  int count = 0;
  if (horizontal && resetDirection(window, SB_HORZ)) ++count;
  if (vertical && resetDirection(window, SB_VERT)) ++count;
  return count;
}
