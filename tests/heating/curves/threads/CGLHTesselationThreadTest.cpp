#include "heating/curves/CGLHTesselationData.h"

#include "tests/heating/curves/TessTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

namespace {

// Tessellates on one object after another and counts the wrong answers; the
// shift keeps this thread's shapes apart from the other thread's.
int tessellateMany(double shift, std::atomic<int>& ready) {
  ready.fetch_add(1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ready.load() < 2 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  int wrong = 0;
  for (int round = 0; round < 40; ++round) {
    CGLHTesselationData tess;
    tess_test::addGear(tess, 100 + round, shift);
    tess_test::addGear(tess, 100 + round, shift + std::numbers::pi / (100 + round));
    const bool clockwise = round % 2 == 1;
    for (int pass = 0; pass < 2; ++pass) {
      if (!tess.tessellateBoundary()) ++wrong;
      const auto runs = tess_test::outputContours(tess);
      const double area = runs.size() == 1 ? tess_test::signedArea(runs[0]) : 0.0;
      if (pass == 0 && (area < std::numbers::pi * 99 * 99 || area > std::numbers::pi * 105 * 105)) ++wrong;
      if (pass == 1 && (area != (clockwise ? 3.0 : 7.0) || runs[0][0] < shift || runs[0][0] > shift + 3)) ++wrong;
      tess.reset();
      tess_test::addRectangle(tess, shift, 0, shift + 2, 2);
      tess_test::addRectangle(tess, shift + 1, 1, shift + 3, 3, clockwise);
    }
  }
  return wrong;
}

int waitFor(std::future<int>& result) {
  if (result.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    std::fputs("a tessellation thread did not finish within 60 s\n", stderr);
    std::_Exit(1);
  }
  return result.get();
}

}  // namespace

// Each thread owns its own tessellation object; the two share nothing.
TEST(CGLHTesselationThreads, ObjectsOnTwoThreadsRunIndependently) {
  std::atomic<int> ready{0};
  auto first = std::async(std::launch::async, tessellateMany, 0.0, std::ref(ready));
  auto second = std::async(std::launch::async, tessellateMany, 10.0, std::ref(ready));
  EXPECT_EQ(waitFor(first), 0);
  EXPECT_EQ(waitFor(second), 0);
}
