// What the module's message boxes hand to the system's message box.
#include <gtest/gtest.h>

#include <tuple>

#include "host/CQev_HeatingApp.h"
#include "host/HvHostApi.h"
#include "host/MessageBoxRes.h"
#include "platform/win/MessageBox.h"
#include "platform/win/StringTable.h"
#include "tests/host/FakeHost.h"

namespace {

constexpr HvStringResource strings[] = {{275, u"Rozdělovač nebyl nalezen."}};

class MessageBoxResTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hvRegisterStringTable(strings, 1);
    hvClearMessageBoxLog();
    hvSetMessageBoxEcho(false);
  }
  void TearDown() override {
    hvUnregisterStringTable(strings);
    hvSetMessageBoxEcho(true);
    hvReleaseHostApi(false);
  }
};

TEST_F(MessageBoxResTest, OwnerCaptionAndText) {
  FakeHost host;
  CQev_HeatingApp app;
  hvQueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(messageBoxRes("Vyt\xE1p\xECn\xED \\U+2116", 275, MB_YESNO | MB_ICONQUESTION), IDNO);
  const std::vector<HvMessageBoxRecord> log = hvMessageBoxLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(std::tuple(log[0].owner, log[0].caption, log[0].text, log[0].flags),
            std::tuple(host.window(), u"Vytápění №", u"Rozdělovač nebyl nalezen.", MB_YESNO | MB_ICONQUESTION));
}

TEST_F(MessageBoxResTest, WithoutHostWindowOrCaption) {
  FakeHostOptions options;
  options.mainWindow = false;
  FakeHost host(options);
  CQev_HeatingApp app;
  EXPECT_EQ(messageBoxRes(nullptr, 9999, MB_OK), IDOK);
  const std::vector<HvMessageBoxRecord> log = hvMessageBoxLog();
  ASSERT_EQ(log.size(), 1u);
  // The system's caption, and no text for an unknown text id.
  EXPECT_EQ(std::tuple(log[0].owner, log[0].caption, log[0].text), std::tuple(nullptr, u"Error", u""));
}

}  // namespace
