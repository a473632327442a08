#include "platform/win/MessageBox.h"

#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <string>
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
