// The meander on the zone set, judged by the layout checker (inside, spacing,
// no crossings, length, coverage); the zones it refuses or lays in part; the
// faults of the chain and the splice.
#include "LayoutCheckAdapters.h"
#include "MeanderZones.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/meander/MeanderChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using layout_check::Report;
using meander_test::UnitScope;
using zone_set::ZoneCase;

struct Laid {
  explicit Laid(ZoneCase c) : zone(meander_test::meanderZone(c)), checkZone(zone_set::checkZone(c)) {
    ok = zone->layout->layoutMeander();
    if (ok) path = layout_check::walkLayoutGraph(*zone->layout);
  }
  Report check(const layout_check::Options& options = {}) const {
    return layout_check::checkLayout(checkZone, path.pieces, options);
  }
  std::unique_ptr<meander_test::MeanderZone> zone;
  layout_check::Zone checkZone;
  bool ok = false;
  layout_check::GraphPath path;
};

struct AcceptCase {
  ZoneCase (*make)();
  bool coverage;  // coverage up to 1.3 s asked
  // The nearest the pipe may come to itself, in s, where the spacing check
  // fails: 0.45 where the runs from the two sides meet. On the circle the
  // outermost runs meet the curved first loop at an acute angle, and the loop
  // comes within 0.42 s of them before the junction.
  double least = 0.45;
};

class MeanderOnZoneSet : public testing::TestWithParam<AcceptCase> {};

TEST_P(MeanderOnZoneSet, PassesTheChecker) {
  ZoneCase c = GetParam().make();
  const UnitScope units(c.unitFactor);
  const std::string name = c.zone.name;
  const Laid laid(std::move(c));
  ASSERT_TRUE(laid.ok) << name << ": " << layoutOutcomeName(laid.zone->layout->outcome);
  EXPECT_EQ(laid.zone->layout->outcome, LayoutOutcome::kLaid);
  ASSERT_TRUE(laid.path.faults.empty()) << name << ": " << laid.path.faults.front();
  const Report r = laid.check({0.85, 1.15, 1.3, GetParam().coverage});
  EXPECT_TRUE(r.continuous.ok && r.ends.ok && r.inside.ok && r.simple.ok && r.length.ok && r.coverage.ok &&
              (r.spacing.ok || r.spacing.value >= (GetParam().least - 0.01) * laid.checkZone.s))
      << name << "\n" << r.summary();
}

ZoneCase z5Wide() { return zone_set::z5(700); }
ZoneCase z2Clockwise() { return zone_set::clockwise(zone_set::z2()); }
ZoneCase z1Far() { return zone_set::moved(zone_set::z1(), 1e7); }
ZoneCase z2Far() { return zone_set::moved(zone_set::z2(), 1e7); }

INSTANTIATE_TEST_SUITE_P(Zones, MeanderOnZoneSet,
                         testing::Values(AcceptCase{zone_set::z1, true}, AcceptCase{zone_set::z2, false},
                                         AcceptCase{zone_set::z3, false}, AcceptCase{z5Wide, false},
                                         AcceptCase{zone_set::z6a, false, 0.4}, AcceptCase{zone_set::z6b, false},
                                         AcceptCase{zone_set::z6c, false}, AcceptCase{zone_set::z7, true},
                                         AcceptCase{zone_set::z8, true}, AcceptCase{zone_set::z10a, false},
                                         AcceptCase{zone_set::z10c, false}, AcceptCase{z2Clockwise, false},
                                         AcceptCase{z1Far, false}, AcceptCase{z2Far, false},
                                         AcceptCase{zone_set::z1Metres, false}));

// Z1: its length; long pieces off the first loop run across the base; the
// same length with the pipe ends swapped (the chain runs clockwise); no node
// at the work origin when the zone is centred on it.
TEST(MeanderOnZ1, LengthRunsAndOrientation) {
  const UnitScope units(1000);
  const Laid z1(zone_set::z1()), swapped(zone_set::z10c()), centred(zone_set::z1Centred());
  ASSERT_TRUE(z1.ok && swapped.ok && centred.ok);
  const double length = z1.check().pipeLength;
  EXPECT_NEAR(length, 60000, 0.05 * 60000);
  EXPECT_NEAR(swapped.check().pipeLength, length, 0.01 * length);
  for (const layout_check::Piece& p : z1.path.pieces) {
    const bool onFirstLoop = std::fabs(p.start.y - 2900) < 1e-6 || std::fabs(p.start.y - 100) < 1e-6 ||
                             std::fabs(p.start.x - 100) < 1e-6 || std::fabs(p.start.x - 3900) < 1e-6;
    EXPECT_TRUE(p.length() <= 400 || onFirstLoop || std::fabs(p.end.x - p.start.x) < 1e-6);
  }
  EXPECT_EQ(z1.path.edgesOffPath, 0);
  for (const COffsetNode* node : centred.zone->layout->nodes) EXPECT_FALSE(node->point.isEqualTo({0, 0}, workTol));
  EXPECT_TRUE(centred.check().sound());
}

// Zones laid in part, handed to the spiral or refused, with their outcomes;
// a refusal leaves no graph (and without a base item no levels).
TEST(MeanderRefusals, OutcomesOfZonesWithoutAFullMeander) {
  const UnitScope units(1000);
  // One level (Z4 500) or no two first-loop crossings (Z9): the spiral lays them.
  for (ZoneCase (*make)() : {+[] { return zone_set::z4(500); }, zone_set::z9}) {
    const Laid laid(make());
    EXPECT_TRUE(laid.ok && laid.path.faults.empty());
    EXPECT_EQ(laid.zone->layout->outcome, LayoutOutcome::kLaid);
    EXPECT_TRUE(laid.check().sound()) << laid.check().summary();
  }
  const Laid none(zone_set::z4(150));
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.zone->layout->outcome, LayoutOutcome::kNoLevel);
  EXPECT_TRUE(none.zone->layout->edges.empty() && none.zone->layout->nodes.empty());
  // Z5 narrow: the left room, whose first loop lies nearest the start pipe
  // end, is laid and passes the checker on its own outline.
  Laid left(zone_set::z5(150));
  ASSERT_TRUE(left.ok && left.path.faults.empty());
  EXPECT_EQ(left.zone->layout->outcome, LayoutOutcome::kRegionsLeftOut);
  left.checkZone.outline = layout_check::piecesOf(zone_fixture::polygon("", {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}).raw());
  EXPECT_TRUE(left.check({0.85, 1.15, 1.3, true}).ok()) << left.check().summary();
  // Pipe ends on opposite sides: a sound path, or a refusal with its reason.
  const Laid opposite(zone_set::z10b());
  EXPECT_TRUE(opposite.ok ? opposite.check().sound() : opposite.zone->layout->outcome != LayoutOutcome::kLaid);

  ZoneCase z1 = zone_set::z1();
  auto z = meander_test::meanderZone(z1);
  z->layout->baseItem = nullptr;
  EXPECT_FALSE(z->layout->layoutMeander());
  EXPECT_EQ(z->layout->outcome, LayoutOutcome::kNoBaseItem);
  EXPECT_TRUE(z->layout->levels.empty());

  // Pipe ends in the wrong order on one edge of the chain would lay the
  // stretch between them twice: the splice refuses and the graph goes.
  ZoneCase wrong = zone_set::make(zone_fixture::z1Rectangle(), 0, {1950, 0}, {2050, 0});
  z = meander_test::meanderZone(wrong);
  z->layout->orientationGiven = z->layout->orientation = 1;
  EXPECT_FALSE(z->layout->layoutMeander());
  EXPECT_EQ(z->layout->outcome, LayoutOutcome::kSpliceFailed);
  EXPECT_TRUE(z->layout->edges.empty() && z->layout->nodes.empty() && z->layout->firstEdge == nullptr);
}

// The chain on hand-made records (Z1's, thinned and reversed at random) always
// ends, and adds one closed chain: as many edges as nodes, two at each node;
// a turn back to X0's own record closes the chain there. A splice walk over
// an open chain ends too, changing nothing.
TEST(MeanderChainFaults, HandMadeRecordsGiveAClosedChain) {
  const UnitScope units(1000);
  ZoneCase c = zone_set::z1();
  auto z = meander_test::meanderZone(c);
  CFHCircuitLayout& layout = *z->layout;
  std::unique_ptr<CFloorHeatingLine> line1, line2;
  std::vector<std::unique_ptr<CFloorHeatingLine>> runs;
  ASSERT_TRUE(curvesOrientedBox(z->boundary.workingLoop, layout.baseItem, line1, line2, true) &&
              placeMeanderRuns(*line1, *line2, true, 100, 200, {}, runs));
  const CFloorHeatingLine cross(line2->startPoint(), line1->startPoint(), nullptr, 1);
  std::vector<const CFloorHeatingCurve*> view;
  std::vector<std::vector<CFHMeanderPoint>> records(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    view.push_back(runs[i].get());
    layout.collectRunCrossings(*runs[i], records[i], cross, layoutTolFine, workTol, heatingTolCoarse);
  }
  std::mt19937 random(30);
  for (int trial = 0; trial < 200; ++trial) {
    auto thinned = records;
    for (auto& list : thinned) {
      if (random() % 4 == 0 && !list.empty()) list.erase(list.begin() + random() % list.size());
      if (random() % 8 == 0) std::reverse(list.begin(), list.end());
    }
    MeanderChain chain;
    if (!chainMeanderRuns(layout, view, thinned, cross, *layout.firstOffsetLoop(), trial % 2 == 0, chain)) continue;
    EXPECT_EQ(layout.nodes.size(), layout.edges.size()) << trial;
    for (const COffsetNode* node : layout.nodes) EXPECT_EQ(node->edges.size(), 2u) << trial;
    deleteOffsetEdgesAndClear(layout.edges);
    for (COffsetNode* node : layout.nodes) node->clearLinks();
    deleteOffsetNodesAndClear(layout.nodes);
  }
  // Runs 0 and 1 alone, their lower level-1 crossings moved below their
  // first-loop crossings: the turn returns to the record X0 was made from,
  // and the chain closes there.
  std::vector<std::vector<CFHMeanderPoint>> two(records.begin(), records.begin() + 2);
  two[0][3].point.point = XtGePoint2d(3700, 50);
  two[1][3].point.point = XtGePoint2d(3500, 50);
  MeanderChain closed;
  ASSERT_TRUE(chainMeanderRuns(layout, {view[0], view[1]}, two, cross, *layout.firstOffsetLoop(), true, closed));
  EXPECT_TRUE(closed.closing->b == closed.x0 && closed.last->point.isEqualTo({3500, 50}));
  EXPECT_EQ(layout.nodes.size(), 5u);
  EXPECT_EQ(layout.edges.size(), 5u);
  deleteOffsetEdgesAndClear(layout.edges);
  for (COffsetNode* node : layout.nodes) node->clearLinks();
  deleteOffsetNodesAndClear(layout.nodes);

  layout.firstEdge = layout.appendNodeOnLoop(nullptr, {2100, 100}, {}, nullptr, 1, true)->edges.front();
  layout.lastEdge = layout.appendNodeOnLoop(nullptr, {1900, 100}, {}, nullptr, 1, true)->edges.front();
  MeanderChain open;
  open.last = layout.appendNodeOnLoop(nullptr, {300, 2900}, {}, nullptr, 1, true);
  open.x0 = layout.appendNodeOnLoop(open.last, {300, 100}, {}, nullptr, 1, true);
  open.closing = open.x0->edges.back();
  EXPECT_FALSE(spliceMeanderPipeEnds(layout, open, true));
  EXPECT_EQ(layout.edges.size(), 4u);
}

}  // namespace
