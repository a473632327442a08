#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

TEST(ThreadId, NonZeroStableAndDistinctAcrossThreads) {
  const DWORD mine = GetCurrentThreadId();
  EXPECT_NE(mine, 0u);
  EXPECT_EQ(GetCurrentThreadId(), mine);

  std::vector<DWORD> ids(8);
  std::vector<std::thread> threads;
  for (auto& id : ids) threads.emplace_back([&id] { id = GetCurrentThreadId(); });
  for (auto& t : threads) t.join();
  std::set<DWORD> distinct(ids.begin(), ids.end());
  distinct.insert(mine);
  EXPECT_EQ(distinct.size(), ids.size() + 1);
}

TEST(ThreadId, AdoptedIdIsAnsweredOnThatThread) {
  const DWORD reserved = hvAllocateThreadId();
  DWORD seen = 0;
  std::thread([&] {
    hvAdoptThreadId(reserved);
    seen = GetCurrentThreadId();
  }).join();
  EXPECT_EQ(seen, reserved);
}
