#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

// One thread replacing the context tolerance never changes what geometry on
// another thread sees.
TEST(GeTolThreads, ContextToleranceIsPerThread) {
  const XtGeLineSeg2d seg(XtGePoint2d(0, 0), XtGePoint2d(10, 0));
  const XtGePoint2d near(5, 1e-6);  // on the segment only under a coarse tolerance

  std::atomic<bool> coarseSet{false};
  std::atomic<bool> stop{false};
  std::thread changer([&] {
    XtGeContext::gTol = XtGeTol(1e-3, 1e-3);
    coarseSet = true;
    EXPECT_TRUE(seg.isOn(near));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!stop && std::chrono::steady_clock::now() < deadline) {
      XtGeContext::gTol = XtGeTol(1e-3, 1e-3);  // keeps writing its own copy
      std::this_thread::yield();
    }
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!coarseSet && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  ASSERT_TRUE(coarseSet);

  std::vector<std::thread> readers;
  std::atomic<int> wrong{0};
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([&] {
      for (int k = 0; k < 2000; ++k) {
        if (XtGeContext::gTol.equalPoint() != 1e-10 || seg.isOn(near)) ++wrong;
      }
    });
  }
  for (auto& r : readers) r.join();
  stop = true;
  changer.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(XtGeContext::gTol.equalPoint(), 1e-10);  // this thread's copy is untouched
}
