#include "ui/scrollReset.h"

#include "platform/win/Scrolling.h"
#include "platform/win/WindowMessages.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

void setBar(HWND window, int bar, int max, unsigned page, int position) {
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMax = max;
  info.nPage = page;
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
}

int positionOf(HWND window, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(window, bar, &info) ? info.nPos : -1;
}

}  // namespace

TEST(scrollReset, ScrollsBackOnlyDirectionsThatAreScrolled) {
  struct Case {
    const char* what;
    int max;
    unsigned page;
    int position;
    int resets;
  };
  const Case cases[] = {
      {"scrolled", 100, 10, 40, 1},
      {"at the origin", 100, 10, 0, 0},
      {"no range", 0, 10, 0, 0},
      {"page below 1", 100, 0, 40, 0},
  };
  for (const Case& c : cases) {
    HWND window = hvCreateWindow();
    setBar(window, SB_VERT, c.max, c.page, c.position);
    const int before = positionOf(window, SB_VERT);
    EXPECT_EQ(resetScrollPositions(window, false, true), c.resets) << c.what;
    EXPECT_EQ(positionOf(window, SB_VERT), c.resets ? 0 : before) << c.what;
    EXPECT_EQ(hvScrollAmounts(window).size(), static_cast<std::size_t>(c.resets)) << c.what;
    if (c.resets) {
      EXPECT_EQ(std::tuple(hvScrollAmounts(window)[0].dx, hvScrollAmounts(window)[0].dy), std::tuple(0, 40));
    }
    hvForgetScrolling(window);
    DestroyWindow(window);
  }

  // A linked control takes the position; the content still scrolls back.
  HWND window = hvCreateWindow();
  HWND control = hvCreateWindow();
  hvSetScrollBarControl(window, SB_HORZ, control);
  setBar(control, SB_CTL, 200, 20, 30);
  setBar(window, SB_VERT, 100, 10, 0);
  EXPECT_EQ(resetScrollPositions(window, true, true), 1);
  EXPECT_EQ(positionOf(control, SB_CTL), 0);
  ASSERT_EQ(hvScrollAmounts(window).size(), 1u);
  EXPECT_EQ(hvScrollAmounts(window)[0].dx, 30);
  EXPECT_EQ(resetScrollPositions(nullptr, true, true), 0);
  hvForgetScrolling(window);
  hvForgetScrolling(control);
  DestroyWindow(window);
  DestroyWindow(control);
}
