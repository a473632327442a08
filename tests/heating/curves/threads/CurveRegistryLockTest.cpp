// The observer's lock: readers on more threads than it has slots never meet
// a writer half-way, and a writer gets in while readers take it in a loop.
#include "heating/curves/CurveRegistryLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <shared_mutex>
#include <thread>
#include <vector>

TEST(CurveRegistryLock, WritersExcludeEveryReaderAndAreNotStarved) {
  CurveRegistryLock lock;
  // Written by writers only, always equal when no writer is half-way.
  long first = 0;
  long second = 0;
  std::atomic<bool> stop{false};
  std::atomic<int> torn{0};
  std::atomic<long> reads{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 80; ++t)
    readers.emplace_back([&] {
      while (!stop) {
        {
          std::shared_lock shared(lock);
          if (first != second) ++torn;
          ++reads;
        }
        // A short pause gives every reader its turns on the cores.
        std::this_thread::sleep_for(std::chrono::microseconds(10));
      }
    });

  const auto start = std::chrono::steady_clock::now();
  for (int w = 0; w < 1000; ++w) {
    std::lock_guard exclusive(lock);
    ++first;
    std::this_thread::sleep_for(std::chrono::microseconds(20));
    ++second;
  }
  const auto took = std::chrono::steady_clock::now() - start;
  stop = true;
  for (auto& reader : readers) reader.join();

  EXPECT_EQ(torn, 0);
  EXPECT_EQ(first, 1000);
  EXPECT_GT(reads, 0);
  // 1000 writes among 80 readers: far below this unless writers starve.
  EXPECT_LT(took, std::chrono::seconds(20));
}
