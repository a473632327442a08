#include "geometry/FailureNotice.h"
#include "geometry/formatOleDate.h"
#include "geometry/reportAssertion.h"
#include "geometry/showInternalError.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBox.h"
#include "platform/win/ThreadId.h"
#include "platform/win/WindowMessages.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::u16string kClosing =
    u"\nPlease save information provided and report problem.\n"
    u"Program may be unstable or may crash, save your work as soon as You can.";

// Collects the reports of the test instead of the default sink.
class CapturedReports : public ::testing::Test {
 protected:
  void SetUp() override {
    hvSetFailureNoticeSink([this](const hvFailureNotice& notice) {
      notices.push_back(notice);
      return IDOK;
    });
  }
  void TearDown() override { hvSetFailureNoticeSink({}); }

  std::u16string onlyText() {
    EXPECT_EQ(notices.size(), 1u);
    return notices.empty() ? std::u16string() : notices.back().text;
  }

  std::vector<hvFailureNotice> notices;
};

}  // namespace

TEST_F(CapturedReports, BoundaryBuilderReportReadsAsDocumented) {
  CWinApp app(u"Qev_Heating");
  EXPECT_EQ(reportAssertion(u"boundBuilder", 146, u"Tue Jul 30 22:02:07 2024", u"11:06:57",
                            u"Mar  5 2025", u"bndBuilder::bndData::add_boundary_intersect", 1929),
            0);
  EXPECT_EQ(onlyText(),
            u"Qev_Heating\n"
            u"boundBuilder (146) bndBuilder::bndData::add_boundary_intersect\n"
            u"30.07.2024 22:02:07 modified\n"
            u"05.03.2025 11:06:57 compiled\n"
            u"Compiler: 19.29" +
                kClosing);
  EXPECT_EQ(std::tuple(notices[0].caption, notices[0].flags, notices[0].ownedByActiveWindow, notices[0].threadId),
            std::tuple(u"Assertion Failed !", 0x12010u, true, GetCurrentThreadId()));
}

TEST_F(CapturedReports, StampsWithPaddedDaysAndOddWordsNeverBreakTheReport) {
  // The compiler pads a one-digit day with a second blank.
  reportAssertion(u"geBound", 18, u"Fri Jul  5 09:01:02 2024", u"11:06:57", u"Mar  5 2025",
                  u"getPointsArea", 1929);
  EXPECT_NE(onlyText().find(u"\n05.07.2024 09:01:02 modified\n"), std::u16string::npos);
  notices.clear();

  // Unparsable stamps are shown as passed, whatever their number of words.
  for (const char16_t* stamp : {u"garbage", u"Fri 2024", u"Fri Jul 5", u"  ", u""}) {
    reportAssertion(u"f", 1, stamp, u"x", u"y", u"fn", 1929);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].text.find(u"\n" + std::u16string(stamp) + u" modified\nx y compiled\n"),
              std::u16string::npos)
        << std::string(stamp, stamp + std::char_traits<char16_t>::length(stamp));
    notices.clear();
  }
}

TEST_F(CapturedReports, MissingApplicationAndNullTexts) {
  EXPECT_EQ(reportAssertion(nullptr, -3, nullptr, nullptr, nullptr, nullptr, 1900), 0);
  EXPECT_EQ(onlyText(), u"<unknown application>\n (-3) \n modified\n  compiled\nCompiler: 19.0" + kClosing);
}

TEST_F(CapturedReports, InternalErrorBox) {
  EXPECT_EQ(showInternalError(nullptr, u"no curve", 7, u"Jul 30 2024"), IDOK);
  EXPECT_EQ(onlyText(), u"Error - no curve [ 7 ] ( timestamp Jul 30 2024 )");
  EXPECT_EQ(std::tuple(notices[0].caption, notices[0].flags, notices[0].ownedByActiveWindow),
            std::tuple(u"internal error", static_cast<UINT>(MB_ICONSTOP), false));
  // 2000 characters do not fit the old fixed buffer; nothing is cut.
  const std::u16string longText(2000, u'x');
  showInternalError(u"T", longText.c_str(), 1, u"");
  EXPECT_EQ(notices[1].text.size(), longText.size() + 25);
}

TEST(FailureNotice, HostThreadShowsABoxAndKeepsAPendingQuit) {
  hvClearMessageBoxLog();
  hvSetMessageBoxEcho(false);
  const DWORD before = hvFailureHostThread();
  hvSetFailureHostThread(GetCurrentThreadId());
  PostQuitMessage(42);
  reportAssertion(u"geBound", 18, u"", u"", u"", u"getPointsArea", 1929);
  const std::vector<HvMessageBoxRecord> log = hvMessageBoxLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(std::tuple(log[0].caption, log[0].flags), std::tuple(std::u16string(u"Assertion Failed !"), 0x12010u));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 42u);

  // Another thread of the process only logs a notice without modality.
  hvSetFailureHostThread(0);
  reportAssertion(u"geBound", 18, u"", u"", u"", u"getPointsArea", 1929);
  hvSetFailureHostThread(before);
  hvSetMessageBoxEcho(true);
  const std::vector<HvMessageBoxRecord> after = hvMessageBoxLog();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_TRUE(after[1].flags == static_cast<UINT>(MB_ICONSTOP) && after[1].owner == nullptr);
  hvClearMessageBoxLog();
}

TEST(formatOleDate, PrintsValidDatesOnly) {
  CString text(u"old");
  EXPECT_TRUE(formatOleDate(45503.5, text, 0, LOCALE_USER_DEFAULT));
  EXPECT_EQ(text, u"30.07.2024 12:00:00");
  EXPECT_FALSE(formatOleDate(-657435.0, text, 0, LOCALE_USER_DEFAULT));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_FALSE(formatOleDate(2958466.0, text, 0, LOCALE_USER_DEFAULT));
  EXPECT_FALSE(formatOleDate(std::numeric_limits<double>::quiet_NaN(), text, 0, LOCALE_USER_DEFAULT));
}
