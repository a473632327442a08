#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/layout/offsets/CFHCurveHolder.h"
#include "heating/layout/offsets/CFHPointPair.h"

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

// The two record kinds whose vectors the layout frees the same way: what
// they own goes with them (the sanitizer build reports anything left), null
// entries are passed over, and the emptied vector takes new records.
TEST(DeleteAndClear, PointPairsAndCurveHoldersGoWithWhatTheyOwnAndTheVectorsAreReusable) {
  std::vector<CFHPointPair*> pairs{new CFHPointPair{{0, 0}, {1, 0}}, nullptr, new CFHPointPair{{2, 2}, {3, 3}}};
  deletePointPairsAndClear(pairs);
  EXPECT_TRUE(pairs.empty());
  pairs.push_back(new CFHPointPair);
  EXPECT_EQ(pairs[0]->first, XtGePoint2d(0, 0));
  deletePointPairsAndClear(pairs);
  EXPECT_TRUE(pairs.empty());

  std::vector<CFHCurveHolder*> holders;
  holders.push_back(new CFHCurveHolder(std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(5, 0),
                                                                           nullptr, 1)));
  holders.push_back(nullptr);
  holders.push_back(new CFHCurveHolder);  // holding nothing
  holders.push_back(new CFHCurveHolder(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d({0, 0}, 2.0), nullptr, 1)));
  holders.back()->reset(std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, 3), nullptr, 1));
  EXPECT_DOUBLE_EQ(holders.back()->get()->length(), 3.0);
  deleteCurveHoldersAndClear(holders);
  EXPECT_TRUE(holders.empty());
  holders.push_back(new CFHCurveHolder(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d({0, 0}, 1.0), nullptr, 1)));
  deleteCurveHoldersAndClear(holders);
  EXPECT_TRUE(holders.empty());
  deleteCurveHoldersAndClear(holders);
}

}  // namespace
