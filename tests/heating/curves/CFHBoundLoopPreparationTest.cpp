// The preparation passes of a zone boundary loop: chaining, gap closing,
// orientation and arc splitting.
#include "heating/curves/JoinCurveEnds.h"
#include "heating/curves/SplitCurveByLength.h"

#include "ZoneTestSupport.h"

#include <cmath>

namespace {

using curve_test::kPi;
using curve_test::line;
using curve_test::near;
using curve_test::polyline;

class LoopPreparation : public zone_test::ZoneTest {};

// The loop's items run through the points in order, the last back to the first.
bool runsThrough(const CFHBoundLoop& loop, const std::vector<XtGePoint2d>& points) {
  const int n = static_cast<int>(points.size());
  for (int i = 0; i < loop.itemCount() && loop.itemCount() == n; ++i) {
    const CFloorHeatingCurve& c = *loop.item(i)->curve;
    if (!near(c.startPoint(), points[i]) || !near(c.endPoint(), points[(i + 1) % n])) return false;
  }
  return loop.itemCount() == n;
}

TEST(LoopChaining, TheUnitSquareChainsLeftBottomRightTop) {
  zone_test::ZoneTolerances metres(1);
  CFHBoundLoop loop;
  for (auto& side : {line({0, 0}, {1, 0}), line({0, 1}, {1, 1}), line({1, 0}, {1, 1}), line({0, 1}, {0, 0})})
    loop.append(*side);  // bottom, top, right, left
  EXPECT_TRUE(loop.chainItems());
  EXPECT_TRUE(runsThrough(loop, {{0, 1}, {0, 0}, {1, 0}, {1, 1}}));
  EXPECT_FALSE(loop.orient(false)) << "already counter-clockwise";
}

// Chaining answers false for a dropped curve and for an open chain; the left
// side goes in front of the bottom, as it ends at the bottom's start.
TEST_F(LoopPreparation, ChainingDropsStrayCurvesAndTellsOpenChains) {
  CFHBoundLoop stray, open;
  stray.append(curve_test::rectangle(0, 0, 6000, 4000));
  stray.append(line({9000, 0}, {9000, 500}));
  EXPECT_FALSE(stray.chainItems());
  EXPECT_TRUE(runsThrough(stray, {{0, 4000}, {0, 0}, {6000, 0}, {6000, 4000}}));
  open.append(polyline({{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}}));
  EXPECT_FALSE(open.chainItems());
  EXPECT_EQ(open.itemCount(), 3);
  EXPECT_FALSE(CFHBoundLoop().chainItems());
}

// A wall jog shorter than the zone-bound tolerance (20 mm against 25) closes
// nothing early, whichever wall the loop starts with and either way round:
// all six walls chain, end to start.
TEST_F(LoopPreparation, AShortJogChainsWhereverTheLoopStarts) {
  const std::vector<XtGePoint2d> room = {{2000, 20}, {4000, 20}, {4000, 3000}, {0, 3000}, {0, 0}, {2000, 0}};
  const std::size_t n = room.size();
  for (std::size_t start = 0; start < 2 * n; ++start) {
    const bool reversed = start >= n;
    CFHBoundLoop loop;
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = (start + k) % n;
      const std::size_t j = (i + 1) % n;
      loop.append(reversed ? line(room[j], room[i]) : line(room[i], room[j]));
    }
    ASSERT_TRUE(loop.chainItems()) << start;
    ASSERT_EQ(loop.itemCount(), 6) << start;
    for (int i = 0; i < 6; ++i)
      EXPECT_TRUE(near(loop.item(i)->curve->endPoint(), loop.item((i + 1) % 6)->curve->startPoint())) << start;
  }
}

// Near ends meet where their lines cross (within twice the zone tolerance);
// colinear ones, and ones whose lines cross too far away, at the gap's middle.
TEST_F(LoopPreparation, GapsCloseAtTheMeetingPointOrTheMiddle) {
  const XtGePoint2d cases[][5] = {{{0, 0}, {5990, 0}, {6000, 12}, {6000, 4000}, {6000, 0}},
                                  {{0, 0}, {1000, 0}, {1010, 0}, {2000, 0}, {1005, 0}},
                                  {{0, 0}, {1000, 0}, {1000, 10}, {2000, 11}, {1000, 5}}};
  for (const auto& c : cases) {
    auto a = line(c[0], c[1]), b = line(c[2], c[3]);
    EXPECT_TRUE(near(joinCurveEnds(*a, *b, workTol, 0.0), c[4]));
    EXPECT_TRUE(near(a->endPoint(), c[4]) && near(b->startPoint(), c[4]));
  }
  CFHBoundLoop loop;
  for (auto& side : {line({0, 0}, {5990, 0}), line({6000, 0}, {6000, 3985}), line({6000, 4000}, {10, 4000}),
                     line({0, 4000}, {0, 20})})
    loop.append(*side);
  EXPECT_TRUE(loop.chainItems());
  loop.closeGaps();
  EXPECT_TRUE(runsThrough(loop, {{0, 4000}, {0, 0}, {6000, 0}, {6000, 4000}}));
}

TEST_F(LoopPreparation, OrientationByAreaAndByTheLowestLeftVertex) {
  CFHBoundLoop rectangle, circle, ccw, cw;
  rectangle.append(polyline({{0, 0}, {0, 4000}, {6000, 4000}, {6000, 0}, {0, 0}}));
  const int firstId = rectangle.item(0)->id;
  EXPECT_TRUE(rectangle.orient(false));  // reversed item by item
  EXPECT_TRUE(runsThrough(rectangle, {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}}));
  EXPECT_EQ(rectangle.item(3)->id, firstId);

  // Two half circles have two vertices: only the area tells their sense.
  circle.append(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d({1000, 0}, {-1000, 0}, -1.0), nullptr, 2));
  circle.append(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d({-1000, 0}, {1000, 0}, -1.0), nullptr, 2));
  EXPECT_TRUE(circle.orient(false));
  EXPECT_NEAR(zone_test::signedArea(circle), kPi * 1e6, 1e-3);

  // Open chains have no area: the lowest-left vertex decides, or the next
  // one that is not collinear with its neighbours (here they coincide).
  ccw.append(polyline({{0, 0}, {0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}, {0, 500}}));
  EXPECT_FALSE(ccw.orient(false));
  cw.append(polyline({{0, 4000}, {6000, 4000}, {6000, 0}, {0, 0}, {0, 0}, {0, 3500}}));
  EXPECT_TRUE(cw.orient(false));
}

TEST_F(LoopPreparation, ArcsSplitIntoChordsOfTheStepKeepingTheirNumbers) {
  const double r1000 = 1000.0 / (kPi / 2), r900 = 900.0 / kPi;  // a quarter circle 1000 long, a half 900
  CFHBoundLoop loop;
  loop.append(curve_test::arc({0, 0}, r1000, 0.0, kPi / 2));
  loop.append(line({0, r1000}, {0, 0}));
  loop.append(curve_test::arc({r900, 0}, r900, kPi, 2 * kPi, true));
  loop.item(0)->value = 0.25;
  const CFHBoundLoopItem first = *loop.item(0), third = *loop.item(2);
  EXPECT_EQ(loop.splitArcs(400.0), 2);
  ASSERT_EQ(loop.itemCount(), 6);
  const double walked[] = {400, 800, 1000, 0, 400, 900};  // each chord ends on its arc there
  const CFHBoundLoopItem* from[] = {&first, &first, &first, nullptr, &third, &third};
  for (int i = 0; i < 6; ++i) {
    const CFHBoundLoopItem& item = *loop.item(i);
    EXPECT_EQ(item.curve->kind(), CFloorHeatingCurve::kLine);
    if (from[i] == nullptr) continue;
    EXPECT_TRUE(near(item.curve->endPoint(), from[i]->curve->pointAtLength(walked[i]), 1e-6)) << i;
    EXPECT_EQ(std::tie(item.value, item.id, item.serial), std::tie(from[i]->value, from[i]->id, from[i]->serial));
  }
  // No positive step, or too many chords: the arc stays whole.
  CFloorHeatingCurve::PtrVector pieces;
  for (const double step : {0.0, -1.0, 1e-3}) EXPECT_FALSE(splitCurveByLength(*first.curve, pieces, step));
  CFHBoundLoop whole;
  whole.append(*first.curve);
  EXPECT_EQ(whole.splitArcs(0.0), 0);
  EXPECT_EQ(whole.item(0)->curve->kind(), CFloorHeatingCurve::kArc);
}

// With a sagitta, chords of one length that lie no farther from their arc:
// a quarter circle of radius 2000 (3142 long; chords of 400 would lie 10
// from it) in 25 chords 125.7 along it, lying 0.99 from it at their
// middles; one of radius 100 in chords no shorter than twice the zone-bound
// tolerance (50; a sagitta of 1 would ask for 28): 4, lying 1.92 from it.
TEST_F(LoopPreparation, ArcsSplitIntoChordsThatKeepNearTheirArcs) {
  EXPECT_NEAR(arcStepForSagitta(2000.0, 1.0), 2000.0 * 2.0 * std::acos(1.0 - 1.0 / 2000.0), 1e-9);
  EXPECT_NEAR(arcStepForSagitta(100.0, 200.0), 100.0 * kPi, 1e-9);
  EXPECT_EQ(arcStepForSagitta(0.0, 1.0), 0.0);
  const struct {
    double radius;
    int chords;
    double farthest;
  } cases[] = {{2000.0, 25, 0.987}, {100.0, 4, 1.921}};
  for (const auto& c : cases) {
    CFHBoundLoop loop;
    loop.append(curve_test::arc({0, 0}, c.radius, 0.0, kPi / 2));
    EXPECT_EQ(loop.splitArcs(400.0, 1.0), 1);
    ASSERT_EQ(loop.itemCount(), c.chords) << c.radius;
    for (int i = 0; i < loop.itemCount(); ++i) {
      const CFloorHeatingCurve& chord = *loop.item(i)->curve;
      EXPECT_NEAR(chord.length(), 2.0 * c.radius * std::sin(kPi / 4 / c.chords), 1e-6) << c.radius << " " << i;
      EXPECT_NEAR(c.radius - chord.pointAtLength(0.5 * chord.length()).distanceTo({0, 0}), c.farthest, 0.01);
    }
  }
}

}  // namespace
