// Levels of real loops freed by the layout's delete-and-clear operations.
#include "heating/layout/offsets/DeleteAndClear.h"

#include "tests/heating/curves/CLoopTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Counts its destructions, then frees its elements and their curves.
class CountedLoop : public loop_test::OwningLoop {
 public:
  explicit CountedLoop(int& destroyed) : destroyed_(destroyed) {
    for (const XtGePoint2d& p : {XtGePoint2d(1, 0), XtGePoint2d(0, 1), XtGePoint2d(0, 0)})
      add(curve_test::line(elements.empty() ? XtGePoint2d(0, 0) : elements.back()->endPoint(), p));
  }
  ~CountedLoop() override { ++destroyed_; }

 private:
  int& destroyed_;
};

TEST(DeleteLoopLists, LoopsDeletedThroughTheBaseFreeTheirElementsAndCurves) {
  int destroyed = 0;
  std::vector<std::vector<CLoop*>*> levels;
  levels.push_back(new std::vector<CLoop*>{new CountedLoop(destroyed), new CountedLoop(destroyed)});
  levels.push_back(new std::vector<CLoop*>{});
  levels.push_back(new std::vector<CLoop*>{nullptr, new CountedLoop(destroyed)});
  ASSERT_NEAR(levels[0]->front()->length(XtGeTol(1e-9, 1e-9)), 2.0 + std::sqrt(2.0), 1e-12);
  deleteLoopListsAndClear(levels);  // the sanitizer build reports every element or curve left behind
  EXPECT_EQ(destroyed, 3);
  EXPECT_TRUE(levels.empty());
}

}  // namespace
