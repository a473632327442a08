// The shell's known folders and the scroll state of windows.
#include "platform/win/Scrolling.h"
#include "platform/win/ShellFolders.h"
#include "platform/win/WindowMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

TEST(ShellFolders, KnowsTheCommonProgramFilesFolderOnly) {
  char16_t path[MAX_PATH] = u"old";
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
  EXPECT_EQ(std::u16string(path), u"C:\\Program Files\\Common Files");
  EXPECT_EQ(SHGetFolderPathW(nullptr, 26, nullptr, 0, path), E_INVALIDARG);
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, 0, nullptr), E_INVALIDARG);
  hvSetShellFolderFailure(E_OUTOFMEMORY);
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, 0, path), E_OUTOFMEMORY);
  hvSetShellFolderFailure(S_OK);
}

TEST(Scrolling, KeepsRangePagePositionPerWindowAndDirection) {
  HWND window = hvCreateWindow();
  HWND control = hvCreateWindow();
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &info));
  info.nMin = 0;
  info.nMax = 100;
  info.nPage = 10;
  info.nPos = 500;
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, TRUE), 91);  // kept within max - page + 1
  SCROLLINFO read;
  read.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &read));
  EXPECT_EQ(std::tuple(read.nMin, read.nMax, read.nPage, read.nPos), std::tuple(0, 100, 10u, 91));
  EXPECT_FALSE(GetScrollInfo(window, SB_HORZ, &read));

  hvSetScrollBarControl(window, SB_HORZ, control);
  EXPECT_EQ(hvScrollBarControl(window, SB_HORZ), control);
  EXPECT_EQ(hvScrollBarControl(window, SB_VERT), nullptr);
  hvSetScrollBarControl(window, SB_HORZ, nullptr);
  EXPECT_EQ(hvScrollBarControl(window, SB_HORZ), nullptr);

  EXPECT_TRUE(ScrollWindow(window, 0, 40, nullptr, nullptr));
  ASSERT_EQ(hvScrollAmounts(window).size(), 1u);
  EXPECT_EQ(hvScrollAmounts(window)[0].dy, 40);
  hvForgetScrolling(window);
  EXPECT_TRUE(hvScrollAmounts(window).empty());
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &read));
  DestroyWindow(window);
  DestroyWindow(control);
}
