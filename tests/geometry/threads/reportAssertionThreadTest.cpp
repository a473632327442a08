#include "geometry/FailureNotice.h"
#include "geometry/reportAssertion.h"
#include "platform/win/MessageBox.h"
#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kReportsPerThread = 200;

void reportMany(int source) {
  const std::u16string file = source == 0 ? u"boundBuilder" : u"geBaseShared";
  for (int i = 0; i < kReportsPerThread; ++i) {
    EXPECT_EQ(reportAssertion(file.c_str(), i, u"Fri Jul  5 09:01:02 2024", u"11:06:57",
                              u"Mar  5 2025", u"entMisc2D::resizeCurve", 1929),
              0);
  }
}

}  // namespace

TEST(ReportAssertionThreads, TwoWorkersReportAtOnceWithoutMixingTheirTexts) {
  std::mutex mutex;
  std::vector<hvFailureNotice> notices;
  hvSetFailureNoticeSink([&](const hvFailureNotice& notice) {
    std::lock_guard lock(mutex);
    notices.push_back(notice);
    return IDOK;
  });
  std::thread first(reportMany, 0);
  std::thread second(reportMany, 1);
  first.join();
  second.join();
  hvSetFailureNoticeSink({});

  ASSERT_EQ(notices.size(), 2u * kReportsPerThread);
  std::set<DWORD> threads;
  std::set<std::u16string> texts;
  for (const hvFailureNotice& notice : notices) {
    EXPECT_FALSE(notice.hostThread);
    threads.insert(notice.threadId);
    texts.insert(notice.text);
    EXPECT_NE(notice.text.find(u"05.07.2024 09:01:02 modified\n05.03.2025 11:06:57 compiled\n"),
              std::u16string::npos);
  }
  EXPECT_EQ(threads.size(), 2u);
  EXPECT_EQ(texts.size(), 2u * kReportsPerThread);
}

TEST(ReportAssertionThreads, WorkersNeverGetAModalBox) {
  hvClearMessageBoxLog();
  hvSetMessageBoxEcho(false);
  std::thread worker([] { reportAssertion(u"geBound", 18, u"", u"", u"", u"getPointsArea", 1929); });
  worker.join();
  hvSetMessageBoxEcho(true);
  const std::vector<HvMessageBoxRecord> log = hvMessageBoxLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].flags & MB_SYSTEMMODAL, 0u);
  EXPECT_NE(log[0].threadId, GetCurrentThreadId());
  hvClearMessageBoxLog();
}
