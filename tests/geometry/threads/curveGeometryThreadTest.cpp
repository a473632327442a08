#include "tests/geometry/curveShapes.h"
#include "geometry/curveArea.h"
#include "geometry/curveClassification.h"
#include "geometry/curveOrientation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

using namespace curveShapes;

class curveGeometryThreads : public WorkTolerances {};

// The heating workers classify, measure and orient one shared boundary at
// the same time; every thread must see the answers of a single thread.
TEST_F(curveGeometryThreads, SharedOutlineGivesTheSameAnswersOnEveryThread) {
  std::mt19937 rng(31);
  const CompositePtr shape = randomOutline(rng, XtGePoint2d(0, 0), 12, 5.0, 10.0, 0.2);
  std::vector<XtGePoint2d> points;
  std::uniform_real_distribution<double> u(-11.0, 11.0);
  for (int i = 0; i < 500; ++i) points.emplace_back(u(rng), u(rng));
  std::vector<int> expected;
  for (const XtGePoint2d& p : points) expected.push_back(classifyPointInCurve(p, *shape));
  double expectedArea = 0.0;
  ASSERT_TRUE(getCurveArea(*shape, expectedArea));

  std::atomic<int> differences{0};
  auto work = [&] {
    for (int round = 0; round < 4; ++round) {
      for (std::size_t i = 0; i < points.size(); ++i)
        if (classifyPointInCurve(points[i], *shape) != expected[i]) ++differences;
      double area = 0.0;
      bool clockwise = true;
      if (!getCurveArea(*shape, area) || area != expectedArea) ++differences;
      if (!curveIsClockwise(*shape, clockwise) || clockwise) ++differences;
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(differences.load(), 0);
}
