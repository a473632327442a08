#include "platform/win/MessageBox.h"

#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

TEST(MessageBoxThreads, BoxesFromManyThreadsAreAllLoggedWithTheirThread) {
  hvClearMessageBoxLog();
  hvSetMessageBoxEcho(false);
  constexpr int kThreads = 8;
  constexpr int kBoxes = 50;
  std::vector<DWORD> ids(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids] {
      ids[t] = GetCurrentThreadId();
      for (int i = 0; i < kBoxes; ++i) {
        const std::u16string text = u"box " + std::u16string(1, static_cast<char16_t>(u'A' + t));
        EXPECT_EQ(MessageBoxW(nullptr, text.c_str(), u"ERROR", MB_ICONWARNING), IDOK);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  hvSetMessageBoxEcho(true);

  std::map<DWORD, int> perThread;
  for (const HvMessageBoxRecord& r : hvMessageBoxLog()) {
    ++perThread[r.threadId];
    for (int t = 0; t < kThreads; ++t) {
      if (ids[t] == r.threadId) {
        EXPECT_EQ(r.text, u"box " + std::u16string(1, static_cast<char16_t>(u'A' + t)));
      }
    }
  }
  ASSERT_EQ(perThread.size(), static_cast<std::size_t>(kThreads));
  for (const auto& [id, count] : perThread) EXPECT_EQ(count, kBoxes);
  hvClearMessageBoxLog();
}
