#include "tests/geometry/curveShapes.h"
#include "tests/geometry/regionAreas.h"
#include "geometry/regionCombination.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

using namespace curveShapes;

class regionCombinationThreads : public WorkTolerances {};

// Boundary trees of several hatches are built on several threads; each
// combination swaps its own thread's tolerance only, so four threads at once
// give the answers of one, and every thread keeps its own tolerance.
TEST_F(regionCombinationThreads, FourThreadsAgreeWithOne) {
  std::mt19937 rng(13);
  std::vector<std::pair<CompositePtr, CompositePtr>> pairs;
  while (pairs.size() < 24) {
    CompositePtr a = randomOutline(rng, XtGePoint2d(0, 0), 8, 3.0, 8.0, 0.3);
    CompositePtr b = randomOutline(rng, XtGePoint2d(3, 2), 7, 3.0, 8.0, 0.3);
    if (isSimpleOutline(*a, workTol) && isSimpleOutline(*b, workTol)) pairs.emplace_back(std::move(a), std::move(b));
  }
  auto measure = [&](std::size_t i, int op) {
    ownedCurveList out;
    combineClosedCurves(*pairs[i].first, *pairs[i].second, out.list, op & 1, nullptr, op & 2);
    return regionAreas::netArea(out.list);
  };
  std::vector<double> expected;
  for (std::size_t i = 0; i < pairs.size(); ++i)
    for (int op = 0; op < 4; ++op) expected.push_back(measure(i, op));

  std::atomic<int> differences{0};
  auto work = [&](double ownTolerance) {
    XtGeContext::gTol = XtGeTol(ownTolerance, ownTolerance);
    for (std::size_t i = 0; i < pairs.size(); ++i)
      for (int op = 0; op < 4; ++op)
        if (measure(i, op) != expected[i * 4 + op]) ++differences;
    if (XtGeContext::gTol.equalPoint() != ownTolerance) ++differences;
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work, 1e-9 * (t + 1));
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(differences.load(), 0);
}
