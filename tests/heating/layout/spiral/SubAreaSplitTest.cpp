// The record's small edits (dangling nodes, the level of a loop) and the
// split of its levels into sub-areas with the hand-over of their loops.
#include "heating/layout/offsets/COffsetBuilder.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"
#include "ZoneFixtures.h"

#include <algorithm>

namespace {

using namespace spiral_test;

class SubAreaSplit : public layout_test::LayoutTest {};

TEST_F(SubAreaSplit, DanglingNodesGoOnlyAtTheEndOfAPath) {
  auto layout = z1Record(2);
  COffsetLoop* a = loopAt(*layout, 0);
  COffsetNode* lead = nodeAt(*layout, nullptr, {1000, 0});
  COffsetNode* n1 = nodeAt(*layout, a, {1000, 100});
  COffsetNode* n2 = nodeAt(*layout, a, {2000, 100});
  COffsetNode* n3 = nodeAt(*layout, a, {3000, 100});
  layout->firstEdge = edgeOf(*layout, lead, n1, 1);
  edgeOf(*layout, n1, n2, 1);
  COffsetEdge* last = edgeOf(*layout, n2, n3, 1);
  for (COffsetNode* stays : {n2, lead, static_cast<COffsetNode*>(nullptr)})
    EXPECT_EQ(layout->removeDanglingNode(stays), stays) << "two edges, the lead edge alone, none";
  EXPECT_TRUE(layout->nodes.size() == 4 && layout->edges.size() == 3);

  EXPECT_EQ(layout->removeDanglingNode(n3), n2);
  EXPECT_EQ(layout->nodes.size(), 3u);
  EXPECT_TRUE(std::find(layout->edges.begin(), layout->edges.end(), last) == layout->edges.end());
  EXPECT_TRUE(std::find(n2->edges.begin(), n2->edges.end(), last) == n2->edges.end());
  EXPECT_EQ(a->section(0)->nodes.size(), 2u) << "the node left its section";

  int index = -3;
  EXPECT_EQ(layout->findLevelOfLoop(loopAt(*layout, 1), index), layout->levels[1]);
  EXPECT_EQ(index, 1);
  index = -3;
  std::unique_ptr<COffsetLoop> stray(inset(4000, 3000, 500, 0));
  EXPECT_EQ(layout->findLevelOfLoop(stray.get(), index), nullptr);
  EXPECT_EQ(index, -3);
}

// Z5 with a neck of 700: level 2 is the first with a loop in each room.
std::unique_ptr<CFHCircuitLayout> dumbbell(double shift) {
  const zone_fixture::Zone zone = zone_fixture::moved(zone_fixture::z5Dumbbell(700), shift);
  auto layout = std::make_unique<CFHCircuitLayout>(100.0, 200.0, 200.0);
  COffsetBuilder(zone.raw(), layout->firstOffset, layout->spacing).buildLoops(layout->levels);
  return layout;
}

TEST_F(SubAreaSplit, EachLoopOfTheSplitLevelStartsASubArea) {
  for (double shift : {0.0, 1e7}) {
    auto layout = dumbbell(shift);
    ASSERT_TRUE(layout->levels.size() == 5 && layout->levels[2]->size() == 2);
    // A loop in the neck that neither room takes.
    layout->levels[3]->push_back(rectangle(shift + 2400, shift + 950, shift + 2600, shift + 1050));
    layout->splitLevelsIntoSubAreas(2, 1);
    EXPECT_EQ(layout->levels.size(), 2u);
    EXPECT_EQ(layout->handedOverLoops.size(), 1u);
    ASSERT_EQ(layout->subAreas.size(), 2u);
    for (const CFHCircuitLayout* sub : layout->subAreas) {
      EXPECT_TRUE(sub->orientationGiven == 1 && sub->orientation == 1 && sub->runDistance == sub->spacing);
      ASSERT_EQ(sub->levels.size(), 3u);
      for (std::size_t k = 0; k < 3; ++k) {
        ASSERT_EQ(sub->levels[k]->size(), 1u);
        const auto box = layout_test::box(*sub->levels[k]->front());
        EXPECT_NEAR(box[1] - shift, 500.0 + 200.0 * k, 1e-6) << "level " << k;
        EXPECT_NEAR(box[3] - shift, 1500.0 - 200.0 * k, 1e-6) << "level " << k;
      }
    }
    EXPECT_LT(layout_test::box(*layout->subAreas[0]->levels[0]->front())[2],
              layout_test::box(*layout->subAreas[1]->levels[0]->front())[0]);
  }
  auto empty = dumbbell(0.0);
  deleteOffsetLoopsAndFree(*empty->levels[3]);
  empty->splitLevelsIntoSubAreas(3, 0);
  EXPECT_TRUE(empty->levels.size() == 3 && empty->subAreas.empty());
  EXPECT_EQ(empty->handedOverLoops.size(), 2u) << "level 4's loops";
  empty->splitLevelsIntoSubAreas(7, 0);
  EXPECT_EQ(empty->levels.size(), 3u);
}

// A sub-area's graph moved into the main record, as a threaded sub-spiral
// is: once the sub-areas are gone the main's nodes still lie on live loops.
TEST_F(SubAreaSplit, HandedOverLoopsOutliveTheSubAreas) {
  auto layout = dumbbell(0.0);
  layout->splitLevelsIntoSubAreas(2, 1);
  ASSERT_EQ(layout->subAreas.size(), 2u);
  CFHCircuitLayout& sub = *layout->subAreas.front();
  COffsetLoop* first = sub.firstOffsetLoop();
  const double perimeter = first->length(workTolFine);
  COffsetNode* a = nodeAt(sub, first, first->section(0)->startPoint());
  COffsetNode* b = nodeAt(sub, first, first->section(2)->startPoint());
  edgeOf(sub, a, b, 1);
  edgeOf(sub, b, a, 1);
  layout->nodes.insert(layout->nodes.end(), sub.nodes.begin(), sub.nodes.end());
  layout->edges.insert(layout->edges.end(), sub.edges.begin(), sub.edges.end());
  sub.nodes.clear();
  sub.edges.clear();
  sub.handOverLoopsTo(*layout);
  EXPECT_TRUE(sub.levels.empty());
  EXPECT_EQ(layout->handedOverLoops.size(), 3u);
  deleteCircuitLayoutsAndClear(layout->subAreas);
  EXPECT_NEAR(pathLength(*layout), perimeter, 1e-6) << "twice half round the loop";
}

}  // namespace
