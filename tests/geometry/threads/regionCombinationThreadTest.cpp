#include "tests/geometry/curveShapes.h"
#include "geometry/regionCombination.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

using namespace curveShapes;

class regionCombinationThreads : public WorkTolerances {};

// Each combination swaps its own thread's tolerance only: four threads at
// once give the answers of one and keep their own tolerances.
TEST_F(regionCombinationThreads, FourThreadsAgreeWithOne) {
  std::mt19937 rng(13);
  std::vector<std::pair<CompositePtr, CompositePtr>> pairs;
  while (pairs.size() < 24) {
    CompositePtr a = randomOutline(rng, XtGePoint2d(0, 0), 8, 3.0, 8.0, 0.3);
    CompositePtr b = randomOutline(rng, XtGePoint2d(3, 2), 7, 3.0, 8.0, 0.3);
    if (isSimpleOutline(*a, workTol) && isSimpleOutline(*b, workTol)) pairs.emplace_back(std::move(a), std::move(b));
  }
  auto measure = [&](std::size_t k) {  // pair k / 4, selectors k % 4
    ownedCurveList out;
    combineClosedCurves(*pairs[k / 4].first, *pairs[k / 4].second, out.list, k & 1, nullptr, k & 2);
    return netArea(out.list);
  };
  std::vector<double> expected;
  for (std::size_t k = 0; k < 4 * pairs.size(); ++k) expected.push_back(measure(k));
  std::atomic<int> differences{0};
  auto work = [&](double ownTolerance) {
    XtGeContext::gTol = XtGeTol(ownTolerance, ownTolerance);
    for (std::size_t k = 0; k < expected.size(); ++k) differences += measure(k) != expected[k];
    differences += XtGeContext::gTol.equalPoint() != ownTolerance;
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work, 1e-9 * (t + 1));
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(differences.load(), 0);
}
