// The meander on the zone set, judged by the layout checker: pipes inside the
// zone, spacing kept, no crossings, lengths and coverage; the zones it
// refuses, with their outcomes; and the faults of the chain and the splice.
#include "LayoutCheckAdapters.h"
#include "LayoutChecker.h"
#include "MeanderZones.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/MeanderChain.h"

#include "geometry/Tolerances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using layout_check::Piece;
using meander_test::MeanderZone;
using meander_test::UnitScope;
using zone_set::ZoneCase;

struct Laid {
  std::unique_ptr<MeanderZone> zone;
  layout_check::Zone checkZone;
  bool ok = false;
  layout_check::GraphPath path;
};

Laid lay(ZoneCase& c) {
  Laid laid;
  laid.zone = meander_test::meanderZone(c);
  laid.checkZone = zone_set::checkZone(c);
  laid.ok = laid.zone->layout->layoutMeander();
  if (laid.ok) laid.path = layout_check::walkLayoutGraph(*laid.zone->layout);
  return laid;
}

// The spacing check holds, or fails only where the runs from the two sides
// meet, no nearer than `least` s.
bool spacingKept(const layout_check::Report& r, double s, double least) {
  return r.spacing.ok || r.spacing.value >= least * s - 0.01 * s;
}

struct AcceptCase {
  ZoneCase (*make)();
  bool coverage;  // coverage up to 1.3 s is asked
  // The nearest the pipe may come to itself, in s: 0.45 where the runs from
  // the two sides meet. On the circle the outermost runs meet the curved
  // first loop at an acute angle, and the loop comes within 0.42 s of them
  // before the junction.
  double least = 0.45;
};

ZoneCase z5Wide() { return zone_set::z5(700); }
ZoneCase z2Clockwise() { return zone_set::clockwise(zone_set::z2()); }
ZoneCase z1Far() { return zone_set::moved(zone_set::z1(), 1e7); }
ZoneCase z2Far() { return zone_set::moved(zone_set::z2(), 1e7); }

class MeanderOnZoneSet : public testing::TestWithParam<AcceptCase> {};

TEST_P(MeanderOnZoneSet, PassesTheChecker) {
  ZoneCase c = GetParam().make();
  const UnitScope units(c.unitFactor);
  Laid laid = lay(c);
  ASSERT_TRUE(laid.ok) << c.zone.name << ": " << layoutOutcomeName(laid.zone->layout->outcome);
  EXPECT_EQ(laid.zone->layout->outcome, LayoutOutcome::kLaid);
  ASSERT_TRUE(laid.path.faults.empty()) << c.zone.name << ": " << laid.path.faults.front();
  layout_check::Options options;
  options.lengthLow = 0.85;
  options.lengthHigh = 1.15;
  options.coverageLimit = 1.3;
  options.coverage = GetParam().coverage;
  const layout_check::Report r = layout_check::checkLayout(laid.checkZone, laid.path.pieces, options);
  EXPECT_TRUE(r.continuous.ok && r.ends.ok && r.inside.ok && r.simple.ok) << c.zone.name << "\n" << r.summary();
  EXPECT_TRUE(spacingKept(r, c.spacing, GetParam().least)) << c.zone.name << "\n" << r.summary();
  EXPECT_TRUE(r.length.ok) << c.zone.name << "\n" << r.summary();
  EXPECT_TRUE(!GetParam().coverage || r.coverage.ok) << c.zone.name << "\n" << r.summary();
}

INSTANTIATE_TEST_SUITE_P(Zones, MeanderOnZoneSet,
                         testing::Values(AcceptCase{zone_set::z1, true}, AcceptCase{zone_set::z2, false},
                                         AcceptCase{zone_set::z3, false}, AcceptCase{z5Wide, false},
                                         AcceptCase{zone_set::z6a, false, 0.4}, AcceptCase{zone_set::z6b, false},
                                         AcceptCase{zone_set::z6c, false}, AcceptCase{zone_set::z7, true},
                                         AcceptCase{zone_set::z8, true}, AcceptCase{zone_set::z10a, false},
                                         AcceptCase{zone_set::z10c, false}, AcceptCase{z2Clockwise, false},
                                         AcceptCase{z1Far, false}, AcceptCase{z2Far, false},
                                         AcceptCase{zone_set::z1Metres, false}));

// Z1 in detail: its length, the runs perpendicular to the base, no node at
// the work origin when the zone is centred on it, and the same length with
// the pipe ends swapped (the chain then runs clockwise).
TEST(MeanderOnZ1, LengthRunsAndOrientation) {
  const UnitScope units(1000);
  ZoneCase c = zone_set::z1();
  const Laid z1 = lay(c);
  ASSERT_TRUE(z1.ok && z1.path.faults.empty());
  const double length = layout_check::checkLayout(z1.checkZone, z1.path.pieces, {}).pipeLength;
  EXPECT_NEAR(length, 60000, 0.05 * 60000);
  for (const Piece& p : z1.path.pieces) {
    const double dx = p.end.x - p.start.x;
    const bool onFirstLoop = std::fabs(p.start.y - 2900) < 1e-6 || std::fabs(p.start.y - 100) < 1e-6 ||
                             std::fabs(p.start.x - 100) < 1e-6 || std::fabs(p.start.x - 3900) < 1e-6;
    EXPECT_TRUE(p.length() <= 400 || onFirstLoop || std::fabs(dx) < 1e-6) << "a long piece off the loop runs across the base";
  }
  EXPECT_EQ(z1.path.edgesOffPath, 0) << "the splice cuts out a stretch of no edge of its own";

  ZoneCase swapped = zone_set::z10c();
  const Laid z10c = lay(swapped);
  ASSERT_TRUE(z10c.ok && z10c.path.faults.empty());
  EXPECT_NEAR(layout_check::checkLayout(z10c.checkZone, z10c.path.pieces, {}).pipeLength, length, 0.01 * length);

  ZoneCase centred = zone_set::z1Centred();
  const Laid laid = lay(centred);
  ASSERT_TRUE(laid.ok && laid.path.faults.empty());
  for (const COffsetNode* node : laid.zone->layout->nodes) EXPECT_FALSE(node->point.isEqualTo({0, 0}, workTol));
  EXPECT_TRUE(layout_check::checkLayout(laid.checkZone, laid.path.pieces, {}).sound());
}

// Zones the meander refuses or lays in part, with the outcome it gives.
TEST(MeanderRefusals, OutcomesOfZonesWithoutAFullMeander) {
  const UnitScope units(1000);
  struct Case {
    ZoneCase c;
    bool laid;
    LayoutOutcome outcome;
  };
  Case cases[] = {{zone_set::z4(500), false, LayoutOutcome::kSpiralNotBuilt},
                  {zone_set::z4(150), false, LayoutOutcome::kNoLevel},
                  {zone_set::z9(), false, LayoutOutcome::kSpiralNotBuilt},
                  {zone_set::z5(150), true, LayoutOutcome::kRegionsLeftOut}};
  for (Case& k : cases) {
    const Laid laid = lay(k.c);
    EXPECT_EQ(laid.ok, k.laid) << k.c.zone.name;
    EXPECT_EQ(laid.zone->layout->outcome, k.outcome) << k.c.zone.name;
    EXPECT_TRUE(laid.ok || (laid.zone->layout->edges.empty() && laid.zone->layout->nodes.empty())) << k.c.zone.name;
  }
  // Z5 narrow: the left room, whose first loop lies nearest the start pipe
  // end, passes the checker on its own outline.
  ZoneCase z5 = zone_set::z5(150);
  const Laid left = lay(z5);
  ASSERT_TRUE(left.path.faults.empty());
  layout_check::Zone room = left.checkZone;
  room.outline = layout_check::piecesOf(zone_fixture::polygon("left room", {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}).raw());
  const layout_check::Report r = layout_check::checkLayout(room, left.path.pieces, {0.85, 1.15, 1.3, true});
  EXPECT_TRUE(r.ok()) << r.summary();

  // No base item: the levels go, nothing is laid.
  ZoneCase z1 = zone_set::z1();
  auto z = meander_test::meanderZone(z1);
  z->layout->baseItem = nullptr;
  EXPECT_FALSE(z->layout->layoutMeander());
  EXPECT_EQ(z->layout->outcome, LayoutOutcome::kNoBaseItem);
  EXPECT_TRUE(z->layout->levels.empty());

  // Pipe ends on opposite sides: a path the checker finds sound, or a refusal.
  ZoneCase z10b = zone_set::z10b();
  const Laid opposite = lay(z10b);
  EXPECT_TRUE(opposite.ok ? layout_check::checkLayout(opposite.checkZone, opposite.path.pieces, {}).sound()
                          : opposite.zone->layout->outcome != LayoutOutcome::kLaid);
}

// Pipe ends whose projections lie on one edge of the chain in the wrong order
// would lay the stretch between them twice: the splice refuses, and the graph
// is removed.
TEST(MeanderSplice, EndsInTheWrongOrderOnOneEdgeFail) {
  const UnitScope units(1000);
  ZoneCase c = zone_set::make(zone_fixture::z1Rectangle(), 0, {1950, 0}, {2050, 0});
  auto z = meander_test::meanderZone(c);
  z->layout->orientationGiven = 1;
  z->layout->orientation = 1;
  EXPECT_FALSE(z->layout->layoutMeander());
  EXPECT_EQ(z->layout->outcome, LayoutOutcome::kSpliceFailed);
  EXPECT_TRUE(z->layout->edges.empty() && z->layout->nodes.empty() && z->layout->firstEdge == nullptr);
}

// The chain on hand-made records (Z1's, thinned and reordered at random):
// it always ends, and what it adds is one closed chain: as many edges as
// nodes, two edges at every node. A splice walk on an open chain ends too.
TEST(MeanderChainFaults, HandMadeRecordsGiveAClosedChain) {
  const UnitScope units(1000);
  ZoneCase c = zone_set::z1();
  auto z = meander_test::meanderZone(c);
  CFHCircuitLayout& layout = *z->layout;
  std::unique_ptr<CFloorHeatingLine> line1, line2;
  ASSERT_TRUE(curvesOrientedBox(z->boundary->workingLoop, layout.baseItem, line1, line2, true));
  std::vector<std::unique_ptr<CFloorHeatingLine>> runs;
  ASSERT_TRUE(placeMeanderRuns(*line1, *line2, true, 100, 200, {}, runs));
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
    if (!chainMeanderRuns(layout, view, thinned, cross, *layout.firstOffsetLoop(), trial % 2 == 0, chain)) {
      EXPECT_TRUE(layout.nodes.empty() && layout.edges.empty());
      continue;
    }
    EXPECT_EQ(layout.nodes.size(), layout.edges.size()) << trial;
    for (const COffsetNode* node : layout.nodes) EXPECT_EQ(node->edges.size(), 2u) << trial;
    EXPECT_FALSE(chain.x0->point.isEqualTo({0, 0}, workTol));
    deleteOffsetEdgesAndClear(layout.edges);
    for (COffsetNode* node : layout.nodes) node->clearLinks();
    deleteOffsetNodesAndClear(layout.nodes);
  }

  // An open chain: the closing edge leads to a node with no further edge.
  COffsetNode* p1 = layout.appendNodeOnLoop(nullptr, {2100, 100}, {}, nullptr, 1, true);
  COffsetNode* p2 = layout.appendNodeOnLoop(nullptr, {1900, 100}, {}, nullptr, 1, true);
  layout.firstEdge = p1->edges.front();
  layout.lastEdge = p2->edges.front();
  MeanderChain open;
  open.last = layout.appendNodeOnLoop(nullptr, {300, 2900}, {}, nullptr, 1, true);
  open.x0 = layout.appendNodeOnLoop(open.last, {300, 100}, {}, nullptr, 1, true);
  open.closing = open.x0->edges.back();
  EXPECT_FALSE(spliceMeanderPipeEnds(layout, open, true));
  EXPECT_EQ(layout.edges.size(), 4u) << "nothing changed";
}

}  // namespace
