// Zone boundaries prepared from the outlines people draw, as one closed
// polyline and as loose lines and arcs, and the boundary's queries.
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/HeatingCurveExplode.h"

#include "ZoneTestSupport.h"
#include "tests/host/FakeHost.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using curve_test::line;
using curve_test::near;
using zone_test::outline;

struct Drawn {
  const char* name;
  int u;  // drawing units per metre
  XtGePoint2d from;
  std::vector<curve_test::Step> steps;  // the first one straight
};

const double e7 = 1e7;
const Drawn kDrawn[] = {
    {"rectangle", 1000, {0, 0}, {{{6000, 0}}, {{6000, 4000}}, {{0, 4000}}, {{0, 0}}}},
    {"L", 1000, {0, 0}, {{{8000, 0}}, {{8000, 3000}}, {{3000, 3000}}, {{3000, 7000}}, {{0, 7000}}, {{0, 0}}}},
    {"U", 1000, {0, 0},
     {{{9000, 0}}, {{9000, 6000}}, {{6000, 6000}}, {{6000, 2500}}, {{3000, 2500}}, {{3000, 6000}}, {{0, 6000}},
      {{0, 0}}}},
    {"L, arc wall", 1000, {0, 0},
     {{{8000, 0}}, {{8000, 3000}}, {{3000, 3000}, 0.35}, {{3000, 7000}}, {{0, 7000}}, {{0, 0}}}},
    {"corridor", 1000, {0, 0}, {{{12000, 0}}, {{12000, 300}}, {{0, 300}}, {{0, 0}}}},
    {"clockwise", 1000, {0, 0}, {{{0, 4000}}, {{5000, 4000}}, {{5000, 0}, -0.4}, {{0, 0}}}},
    {"near 1e7", 1000, {e7, e7}, {{{e7 + 6000, e7}}, {{e7 + 6000, e7 + 4000}}, {{e7, e7 + 4000}, 0.2}, {{e7, e7}}}},
    {"metres", 1, {0, 0}, {{{6, 0}}, {{6, 4}}, {{2, 4}, 0.5}, {{0, 4}}, {{0, 0}}}},
};

// The outline as loose lines and arcs: the first side 10 mm short of its
// corner, every other curve reversed, shuffled.
CFloorHeatingCurve::PtrVector looseCurves(const Drawn& drawn, unsigned seed) {
  CFloorHeatingCurve::PtrVector curves = explodeCurve(*outline(drawn.from, drawn.steps));
  const XtGePoint2d s = curves[0]->startPoint(), e = curves[0]->endPoint();
  curves[0]->setEndPoints(s, e - (e - s).normal() * (0.010 * drawn.u));
  for (std::size_t i = 0; i < curves.size(); ++i) {
    curves[i]->setSource(nullptr);
    if (i % 2 == 0) curves[i]->reverse();
  }
  std::shuffle(curves.begin(), curves.end(), std::mt19937(seed));
  return curves;
}

TEST(ZoneBoundaryShapes, PolylinesAndLooseCurvesPrepareToTheSameClosedCounterClockwiseLoop) {
  for (const Drawn& drawn : kDrawn) {
    SCOPED_TRACE(drawn.name);
    zone_test::ZoneTolerances tolerances(drawn.u);
    double area = 0.0;
    ASSERT_TRUE(getCurveArea(outline(drawn.from, drawn.steps)->composite(), area));
    CFHZoneBoundary polyline;
    polyline.addBoundaryCurve(outline(drawn.from, drawn.steps));
    EXPECT_TRUE(polyline.prepareLoop(true));
    for (const unsigned seed : {1u, 2u, 3u}) {
      CFHZoneBoundary loose;
      for (CFloorHeatingCurve::Ptr& curve : looseCurves(drawn, seed)) loose.addBoundaryCurve(std::move(curve));
      EXPECT_TRUE(loose.prepareLoop(true));
      for (const CFHBoundLoop* loop : {&polyline.asDrawnLoop, &loose.asDrawnLoop}) {
        EXPECT_TRUE(zone_test::isClosedChain(*loop));
        EXPECT_EQ(loop->itemCount(), static_cast<int>(drawn.steps.size()));
        EXPECT_NEAR(zone_test::signedArea(*loop), area, area * 1e-6);
      }
    }
  }
}

TEST(ZoneBoundaryShapes, OnlyTheWorkingLoopSplitsItsArcs) {
  zone_test::ZoneTolerances tolerances(1000);
  CFHZoneBoundary zone;  // the right wall is a half circle of radius 1500, 4712 long
  zone.addBoundaryCurve(outline({0, 0}, {{{5000, 0}}, {{5000, 3000}, 1.0}, {{0, 3000}}, {{0, 0}}}));
  ASSERT_TRUE(zone.prepareLoop(true));
  zone.workingLoop.copyFrom(zone.asDrawnLoop);
  {
    FakeHost host;  // unit factor 1000: chords of 400
    EXPECT_TRUE(zone.prepareLoop(false));
  }
  EXPECT_EQ(CFHZoneBoundary::arcSplitStep(), 0.0) << "no host, no unit factor";
  EXPECT_EQ(CFHZoneBoundary::arcChordSagitta(), 0.0) << "no host, no unit factor";
  EXPECT_EQ(zone.asDrawnLoop.item(2)->curve->kind(), CFloorHeatingCurve::kArc);
  // Chords of 400 would lie 13 mm inside the arc; chords that lie at most
  // 1 mm from it are 109.5 long at most: 44 of one length.
  EXPECT_EQ(zone.workingLoop.itemCount(), 3 + 44);
  EXPECT_TRUE(zone_test::isClosedChain(zone.workingLoop));
  const XtGePoint2d centre(5000, 1500);
  int chords = 0;
  for (int i = 0; i < zone.workingLoop.itemCount(); ++i) {
    const CFloorHeatingCurve& chord = *zone.workingLoop.item(i)->curve;
    if (std::fabs(chord.startPoint().distanceTo(centre) - 1500.0) > 1e-6 ||
        std::fabs(chord.endPoint().distanceTo(centre) - 1500.0) > 1e-6)
      continue;
    ++chords;
    EXPECT_NEAR(chord.length(), 3000.0 * std::sin(3.14159265358979 / 88), 1e-6) << i;  // 44 of one length
    EXPECT_GT(chord.pointAtLength(0.5 * chord.length()).distanceTo(centre), 1499.0) << i;
  }
  EXPECT_EQ(chords, 44);
}

TEST(ZoneTolerances, FollowTheUnitFactorAndRefuseBadSettings) {
  zone_test::ZoneTolerances tolerances(1000);
  EXPECT_TRUE(setZoneTolerances(1.0, 20.0, 50.0));
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalVector(), 0.0002);
  EXPECT_DOUBLE_EQ(manifoldConnectionTol.equalPoint(), 0.05);
  EXPECT_FALSE(setZoneTolerances(0.0, 25.0, 25.0) || setZoneTolerances(1000.0, -1.0, 25.0) ||
               setZoneTolerances(1000.0, 25.0, std::nan("")));
  EXPECT_DOUBLE_EQ(zoneBoundsTol.equalPoint(), 0.02);
}

// A 6 x 4 m room whose top wall bulges up by 1 m (centre (3000, 0), radius
// 5000). Chaining puts the left wall first.
class ZoneBoundary : public zone_test::ZoneTest {};

TEST_F(ZoneBoundary, PointsOnTheOutlineAndCrossingsWithIt) {
  CFHZoneBoundary zone;
  zone.addBoundaryCurve(outline({0, 0}, {{{6000, 0}}, {{6000, 4000}}, {{0, 4000}, 1.0 / 3}, {{0, 0}}}));
  ASSERT_TRUE(zone.prepareLoop(true));
  zone.workingLoop.copyFrom(zone.asDrawnLoop);

  XtGePoint2d off5{3000, 5}, off50{3000, 50};
  EXPECT_TRUE(zone.isOnLoop(off5, true) && near(off5, {3000, 0}, 1e-6));
  EXPECT_TRUE(!zone.isOnLoop(off50, false) && near(off50, {3000, 50}));
  EXPECT_TRUE(zone.touchesLoop(*line({6000, 2000}, {9000, 2000})));
  EXPECT_FALSE(zone.touchesLoop(*line({6001, 2000}, {9000, 2000})));

  const auto pipe = line({-1000, 2000}, {7000, 2000});
  std::vector<CFHZoneCrossing> crossings;
  ASSERT_EQ(zone.curveCrossings(*pipe, crossings), 2);
  EXPECT_TRUE(near(crossings[0].point, {0, 2000}, 1e-6) && near(crossings[1].point, {6000, 2000}, 1e-6));
  for (const CFHZoneCrossing& crossing : crossings)
    EXPECT_NEAR(crossing.param, pipe->geCurve().paramOf(crossing.point), 1e-9);
  EXPECT_EQ(zone.curveCrossings(*line({-1000, -1000}, {1000, 1000}), crossings), 1) << "a corner counts once";

  EXPECT_TRUE(zone.meetsLoopTwice(*line({-100, 4800}, {6100, 4800}), true)) << "cuts a cap off the arc";
  EXPECT_TRUE(zone.meetsLoopTwice(*line({3000, -100}, {3000, 6000}), true));
  EXPECT_FALSE(zone.meetsLoopTwice(*line({3000, 100}, {3000, 6000}), true));
}

}  // namespace
