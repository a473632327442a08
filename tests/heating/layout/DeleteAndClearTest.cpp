#include "heating/layout/DeleteAndClear.h"

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"

#include <gtest/gtest.h>

namespace {

// A loop type that counts its destructions.
struct CountedLoop {
  explicit CountedLoop(int& destroyed) : destroyed(destroyed) {}
  ~CountedLoop() { ++destroyed; }
  int& destroyed;
};

TEST(DeleteAndClear, CurvesAreDeletedThroughTheBaseAndNullEntriesPassedOver) {
  std::vector<CFloorHeatingCurve*> curves{new CFloorHeatingLine(XtGePoint2d(0, 0), XtGePoint2d(1, 0), nullptr, 1),
                                          nullptr, new CFloorHeatingArc(XtGeCircArc2d({0, 0}, 2.0), nullptr, 1)};
  deleteCurvesAndClear(curves);  // the sanitizer build reports anything not freed
  EXPECT_TRUE(curves.empty());
  deleteCurvesAndClear(curves);
}

TEST(DeleteAndClear, LevelsFreeTheirLoopsThenThemselves) {
  int destroyed = 0;
  std::vector<std::vector<CountedLoop*>*> levels;
  levels.push_back(new std::vector<CountedLoop*>{new CountedLoop(destroyed), new CountedLoop(destroyed)});
  levels.push_back(nullptr);
  levels.push_back(new std::vector<CountedLoop*>{nullptr, new CountedLoop(destroyed)});
  deleteLoopListsAndClear(levels);
  EXPECT_EQ(destroyed, 3);
  EXPECT_TRUE(levels.empty());

  std::vector<CountedLoop*> loops{new CountedLoop(destroyed)};
  deleteOffsetLoopsAndFree(loops);
  EXPECT_EQ(destroyed, 4);
  EXPECT_EQ(loops.capacity(), 0u);
}

}  // namespace
