// Lengths along loops, points at a length, walks and the weighted centre.
#include "CLoopTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace loop_test;
using curve_test::kPi;
using CLoopLengthsTest = LoopTest;

TEST_F(CLoopLengthsTest, LengthsBetweenPointsInBothDirections) {
  auto loop = polygonLoop(squarePoints());
  EXPECT_NEAR(loop->length(tol_), 40.0, 1e-9);
  const CLoopPoint a = at({2, 0}, {loop->at(0)});
  const CLoopPoint b = at({0, 2}, {loop->at(3)});
  const CLoopPoint c = at({8, 0}, {loop->at(0)});
  const CLoopPoint j1 = at({10, 0}, {loop->at(0), loop->at(1)});
  const CLoopPoint j2 = at({10, 10}, {loop->at(1), loop->at(2)});
  struct Case {
    const CLoopPoint& from;
    const CLoopPoint& to;
    double forward, backward;
  };
  for (const Case& k : {Case{a, b, 36, 4}, Case{c, a, 34, 6},  // a behind c on one element: the whole way round
                        Case{a, c, 6, 34}, Case{j1, j2, 10, 30}, Case{j2, a, 22, 18}}) {
    EXPECT_NEAR(loop->lengthBetween(k.from, k.to, true, tol_), k.forward, 1e-9);
    EXPECT_NEAR(loop->lengthBetween(k.from, k.to, false, tol_), k.backward, 1e-9);
  }
  // The same place, inside an element or at a joint, and points of no or
  // another loop measure nothing.
  auto other = polygonLoop(squarePoints(), 20, 0);
  for (bool forward : {true, false}) {
    EXPECT_EQ(loop->lengthBetween(c, c, forward, tol_), 0.0);
    EXPECT_EQ(loop->lengthBetween(j1, j1, forward, tol_), 0.0);
    EXPECT_EQ(loop->lengthBetween(a, at({25, 0}, {other->at(0)}), forward, tol_), 0.0);
    EXPECT_EQ(loop->lengthBetween(CLoopPoint({8, 0}), a, forward, tol_), 0.0);
  }
}

TEST_F(CLoopLengthsTest, PointsToLengthFindsJointsWithBothElements) {
  auto loop = polygonLoop(squarePoints());
  CLoopPoint out;
  ASSERT_TRUE(loop->pointsToLength(10.0, out, tol_));
  EXPECT_TRUE(near(out.point, {10, 0}));
  EXPECT_EQ(linkIndices(*loop, out), (std::vector<int>{0, 1}));
  ASSERT_TRUE(loop->pointsToLength(10.0 + 0.5e-3, out, tol_));  // within the tolerance of the joint
  EXPECT_EQ(out.links().size(), 2u);
  ASSERT_TRUE(loop->pointsToLength(25.0, out, tol_));
  EXPECT_TRUE(near(out.point, {5, 10}));
  ASSERT_TRUE(loop->pointsToLength(40.0, out, tol_));
  EXPECT_TRUE(near(out.point, {0, 0}));
  for (double beyond : {-1.0, 41.0, std::nan("")}) {
    out.addLink(loop->at(2));
    EXPECT_FALSE(loop->pointsToLength(beyond, out, tol_)) << beyond;
    EXPECT_TRUE(out.links().empty());
  }
  EXPECT_FALSE(OwningLoop().pointsToLength(0.0, out, tol_));
}

TEST_F(CLoopLengthsTest, WalkFromGoesEitherWayAndOnceRound) {
  auto loop = polygonLoop(squarePoints());
  const CLoopPoint from = at({8, 0}, {loop->at(0)});
  struct Case {
    bool forward;
    double length;
    XtGePoint2d expected;
    std::size_t links;
  };
  for (const Case& k : {Case{true, 5, {10, 3}, 1}, Case{false, 5, {3, 0}, 1}, Case{false, 12, {0, 4}, 1},
                        Case{true, 2, {10, 0}, 2}, Case{true, 39, {7, 0}, 1}, Case{true, 40, {8, 0}, 1}}) {
    CLoopPoint out;
    ASSERT_TRUE(loop->walkFrom(from, k.forward, k.length, out, tol_)) << k.length;
    EXPECT_TRUE(near(out.point, k.expected)) << k.length;
    EXPECT_EQ(out.links().size(), k.links) << k.length;
  }
  CLoopPoint out;
  EXPECT_FALSE(loop->walkFrom(from, true, 40.5, out, tol_));
  EXPECT_FALSE(loop->walkFrom(from, true, -1.0, out, tol_));
  auto other = polygonLoop(squarePoints(), 20, 0);
  EXPECT_FALSE(loop->walkFrom(at({25, 0}, {other->at(0)}), true, 1.0, out, tol_));
}

// Walking a length and measuring it back agree on a loop of a line, an arc,
// a polyline and a line, in both directions.
TEST_F(CLoopLengthsTest, WalkedLengthsMeasureBackOnAMixedLoop) {
  OwningLoop loop;
  loop.add(curve_test::line({0, 0}, {10, 0}));
  loop.add(curve_test::arc({10, 5}, 5.0, -kPi / 2, kPi / 2));
  loop.add(curve_test::polyline({{10, 10}, {5, 12}, {0, 10}}));
  loop.add(curve_test::line({0, 10}, {0, 0}));
  const double total = loop.length(tol_);
  EXPECT_NEAR(total, 20 + 5 * kPi + 2 * std::hypot(5.0, 2.0), 1e-6);
  const CLoopPoint from = at({4, 0}, {loop.at(0)});
  for (bool forward : {true, false}) {
    for (double walked = 0.5; walked < total; walked += 3.7) {
      CLoopPoint out;
      ASSERT_TRUE(loop.walkFrom(from, forward, walked, out, tol_)) << walked;
      EXPECT_NEAR(loop.lengthBetween(from, out, forward, tol_), walked, 1e-6) << walked;
      EXPECT_NEAR(loop.lengthBetween(from, out, !forward, tol_), total - walked, 1e-6) << walked;
      EXPECT_EQ(loop.classifyPoint(out.point, tol_), CLoop::kOnLoop);
    }
  }
}

TEST_F(CLoopLengthsTest, PathOrderAndTheShorterWay) {
  auto loop = polygonLoop(squarePoints());
  const CLoopPoint p = at({2, 0}, {loop->at(0)});
  const CLoopPoint a = at({10, 5}, {loop->at(1)});
  const CLoopPoint b = at({5, 10}, {loop->at(2)});
  EXPECT_TRUE(loop->comparePathLength(p, b, true, a, false, tol_));  // forward, a comes before b
  EXPECT_FALSE(loop->comparePathLength(p, a, true, b, false, tol_));
  EXPECT_TRUE(loop->comparePathLength(p, a, false, b, false, tol_));
  EXPECT_TRUE(loop->comparePathLength(p, a, true, p, true, tol_));  // p is b
  EXPECT_FALSE(loop->comparePathLength(p, p, true, b, true, tol_));

  EXPECT_TRUE(loop->isForwardShorter({2, 0}, {8, 0}, tol_));
  EXPECT_FALSE(loop->isForwardShorter({8, 0}, {2, 0}, tol_));
  EXPECT_TRUE(loop->isForwardShorter({0, 2}, {2, 0}, tol_));  // round the corner where the loop closes
  EXPECT_FALSE(loop->isForwardShorter({2, 0}, {0, 2}, tol_));
  EXPECT_TRUE(loop->isForwardShorter({10, 10}, {0, 0}, tol_));  // half way both ways
  EXPECT_TRUE(loop->isForwardShorter({3, 3}, {2, 0}, tol_));    // off the loop
  EXPECT_TRUE(loop->isForwardShorter({2, 0}, {2, 0}, tol_));
}

TEST_F(CLoopLengthsTest, WeightedCentreIgnoresElementsWithoutLength) {
  auto loop = polygonLoop(squarePoints());
  loop->add(curve_test::line({0, 0}, {0, 0}));  // a zero-length last element
  EXPECT_TRUE(near(loop->lengthWeightedCentre(), {5, 5}));
  EXPECT_TRUE(near(polygonLoop({{0, 0}, {30, 0}, {30, 10}, {0, 10}})->lengthWeightedCentre(), {15, 5}));
  EXPECT_TRUE(near(OwningLoop().lengthWeightedCentre(), {0, 0}));
}

TEST_F(CLoopLengthsTest, ClockwiseFarAwayLAndUShapedLoops) {
  auto cw = polygonLoop({{0, 0}, {0, 10}, {10, 10}, {10, 0}});  // up the left side first
  EXPECT_NEAR(cw->lengthBetween(at({0, 2}, {cw->at(0)}), at({2, 0}, {cw->at(3)}), true, tol_), 36.0, 1e-9);

  const double far = 1e7;
  auto loop = polygonLoop(squarePoints(), far, far);
  EXPECT_NEAR(loop->lengthBetween(at({far + 2, far}, {loop->at(0)}), at({far, far + 2}, {loop->at(3)}), true, tol_),
              36.0, 1e-6);
  CLoopPoint out;
  ASSERT_TRUE(loop->walkFrom(at({far + 8, far}, {loop->at(0)}), true, 5.0, out, tol_));
  EXPECT_TRUE(near(out.point, {far + 10, far + 3}, 1e-6));
  ASSERT_TRUE(loop->pointsToLength(10.0, out, tol_));
  EXPECT_EQ(out.links().size(), 2u);

  auto l = polygonLoop(lPoints());
  ASSERT_TRUE(l->pointsToLength(20.0, out, tol_));  // the inner corner
  EXPECT_TRUE(near(out.point, {5, 5}));
  EXPECT_EQ(linkIndices(*l, out), (std::vector<int>{2, 3}));
  auto u = polygonLoop(uPoints());
  EXPECT_NEAR(u->length(tol_), 120.0, 1e-9);
  const CLoopPoint a = at({25, 20}, {u->at(2)});
  const CLoopPoint b = at({5, 20}, {u->at(6)});
  EXPECT_NEAR(u->lengthBetween(a, b, true, tol_), 40.0, 1e-9);  // round the notch
  EXPECT_NEAR(u->lengthBetween(a, b, false, tol_), 80.0, 1e-9);
}

TEST_F(CLoopLengthsTest, ArcsAndASingleClosedElement) {
  auto circle = twoHalfCircles(5.0);
  EXPECT_NEAR(circle->length(tol_), 10 * kPi, 1e-9);
  CLoopPoint out;
  ASSERT_TRUE(circle->pointsToLength(5 * kPi, out, tol_));
  EXPECT_TRUE(near(out.point, {-5, 0}));
  EXPECT_EQ(out.links().size(), 2u);
  ASSERT_TRUE(circle->walkFrom(at({0, 5}, {circle->at(0)}), true, 5 * kPi, out, tol_));
  EXPECT_TRUE(near(out.point, {0, -5}));

  // One closed polyline makes the whole loop: its start and end coincide.
  OwningLoop single;
  single.add(curve_test::rectangle(0, 0, 10, 10));
  const CLoopPoint seam = at({0, 0}, {single.at(0)});
  const CLoopPoint mid = at({10, 5}, {single.at(0)});
  EXPECT_NEAR(single.lengthBetween(seam, mid, true, tol_), 15.0, 1e-9);
  EXPECT_NEAR(single.lengthBetween(mid, seam, true, tol_), 25.0, 1e-9);
  EXPECT_NEAR(single.lengthBetween(seam, mid, false, tol_), 25.0, 1e-9);
  ASSERT_TRUE(single.walkFrom(mid, true, 30.0, out, tol_));
  EXPECT_TRUE(near(out.point, {5, 0}));
}

}  // namespace
