#include "geometry/savedTolerance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(savedToleranceThreads, EachThreadRestoresItsOwnTolerance) {
  std::atomic<int> failures{0};
  auto work = [&failures](double own) {
    XtGeContext::gTol = XtGeTol(own, own);
    for (int i = 0; i < 2000; ++i) {
      savedTolerance saved;
      XtGeContext::gTol = XtGeTol(own * 10, own * 10);
      if (XtGeContext::gTol.equalPoint() != own * 10) ++failures;
    }
    if (XtGeContext::gTol.equalPoint() != own) ++failures;
  };
  std::thread first(work, 1e-3);
  std::thread second(work, 1e-6);
  first.join();
  second.join();
  EXPECT_EQ(failures.load(), 0);
}
