#include "platform/win/MessageBox.h"

#include "platform/win/CString.h"
#include "platform/win/StringTable.h"
#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <thread>
#include <tuple>

namespace {

class MessageBoxLog : public ::testing::Test {
 protected:
  void SetUp() override { hvClearMessageBoxLog(); }
  void TearDown() override {
    hvClearMessageBoxLog();
    hvSetMessageBoxEcho(true);
    hvSetMessageBoxListener({});
  }
};

}  // namespace

TEST_F(MessageBoxLog, LogsEveryBoxAndAnswersOk) {
  HWND owner = reinterpret_cast<HWND>(0x20);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxW(owner, u"Nebyl vybr\u00E1n rozd\u011Blova\u010D.", u"ERROR", MB_ICONSTOP), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, 0x12010), IDOK);
  const std::string echoed = testing::internal::GetCapturedStderr();

  const std::vector<HvMessageBoxRecord> log = hvMessageBoxLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(std::tuple(log[0].threadId, log[0].owner, log[0].caption, log[0].text, log[0].flags),
            std::tuple(GetCurrentThreadId(), owner, u"ERROR", u"Nebyl vybr\u00E1n rozd\u011Blova\u010D.", 0x10u));
  EXPECT_EQ(std::tuple(log[1].caption, log[1].text, log[1].flags), std::tuple(u"Error", u"", 0x12010u));
  EXPECT_NE(echoed.find("caption \"ERROR\": Nebyl vybr\xC3\xA1n rozd\xC4\x9Blova\xC4\x8D."), std::string::npos);
  EXPECT_NE(echoed.find("flags 0x12010"), std::string::npos);
}

TEST_F(MessageBoxLog, QueuedAnswersAreTakenInOrder) {
  hvSetMessageBoxEcho(false);
  hvQueueMessageBoxAnswer(IDCANCEL);
  hvQueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"a", u"c", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"b", u"c", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"c", u"c", MB_OK), IDOK);
  EXPECT_EQ(hvMessageBoxLog()[1].answer, IDNO);
}

TEST_F(MessageBoxLog, NarrowBoxesAreCodePage1250AndListenersHearEveryBox) {
  hvSetMessageBoxEcho(false);
  std::vector<std::u16string> heard;
  hvSetMessageBoxListener([&](const HvMessageBoxRecord& r) { heard.push_back(r.caption + u"|" + r.text); });
  MessageBoxA(nullptr, "Chyba p\xF8i zpracov\xE1n\xED", "Titulek \x9E", MB_ICONWARNING);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], u"Titulek \u017E|Chyba p\u0159i zpracov\u00E1n\u00ED");
}

// A box carries the number of the string its text came from: the text as
// loaded, or the loaded text as a format with its conversions filled in; the
// newest load of the showing thread wins. A text no load of this thread
// gives, one loaded by another thread or one loaded too long ago has none.
TEST_F(MessageBoxLog, ABoxCarriesTheNumberOfTheStringItsTextCameFrom) {
  static const HvStringResource table[] = {
      {61101, u"Zóny %s nemají potrubí (%d%%)."}, {61102, u"Nebyl vybrán rozdělovač."}, {61103, u"%s"},
      {61104, u"Jiný text"}};
  hvRegisterStringTable(table, std::size(table));
  hvSetMessageBoxEcho(false);
  const auto numberOf = [](const std::u16string& text) {
    MessageBoxW(nullptr, text.c_str(), u"c", MB_OK);
    return hvMessageBoxLog().back().stringNumber;
  };
  CString format;
  ASSERT_TRUE(format.LoadString(61101));
  CString text;
  ASSERT_TRUE(text.Format(format.GetString(), u"1, 2", 40));
  EXPECT_EQ(numberOf(text.GetString()), 61101u);
  EXPECT_EQ(numberOf(u"Zóny 1 nemají potrubí (40)."), 0u) << "the literal '%' is missing";
  EXPECT_EQ(numberOf(u"Zóny 1 nemají potrubí (%)"), 0u) << "the end differs";
  WCHAR buffer[64];
  ASSERT_GT(LoadStringW(nullptr, 61102, buffer, 64), 0);
  EXPECT_EQ(numberOf(buffer), 61102u);
  EXPECT_EQ(numberOf(u"Nebyl vybrán rozdělovač"), 0u);
  EXPECT_EQ(numberOf(text.GetString()), 61101u) << "an older load still names it";
  ASSERT_TRUE(format.LoadString(61103));
  EXPECT_EQ(numberOf(u"cokoli"), 61103u);
  EXPECT_EQ(numberOf(u"Nebyl vybrán rozdělovač."), 61103u) << "the newest load that gives the text wins";

  UINT elsewhere = 1;
  std::thread([&] {
    MessageBoxW(nullptr, u"Nebyl vybrán rozdělovač.", u"c", MB_OK);
    elsewhere = hvMessageBoxLog().back().stringNumber;
  }).join();
  EXPECT_EQ(elsewhere, 0u) << "another thread's loads";
  for (std::size_t k = 0; k < kRememberedStringLoads; ++k) ASSERT_TRUE(format.LoadString(61104));
  EXPECT_EQ(numberOf(u"Nebyl vybrán rozdělovač."), 0u) << "loads beyond the remembered ones";
  hvUnregisterStringTable(table);
}
