// Loop stretches over Z1's first level and the trims of the four-sided join.
#include "heating/layout/LoopStretch.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <cmath>
#include <limits>

namespace {

using namespace spiral_test;

class LoopStretch : public layout_test::LayoutTest {};

CLoopPoint on(const COffsetLoop& loop, const Point& p) {
  CLoopPoint at;
  loop.closestPoint(p, at, workTol);
  return at;
}

TEST_F(LoopStretch, FollowsTheLoopBetweenItsPoints) {
  for (double shift : {0.0, 1e7}) {
    std::unique_ptr<COffsetLoop> a(inset(4000, 3000, 100, shift));
    const CFHLoopStretch straight(*a, on(*a, shifted({500, 100}, shift)), on(*a, shifted({1500, 100}, shift)), true);
    ASSERT_EQ(straight.pieceCount(), 1);
    EXPECT_NEAR(straight.intervals[0].lowerBound(), 400.0 / 3800, 1e-9);
    EXPECT_NEAR(straight.intervals[0].upperBound(), 1400.0 / 3800, 1e-9);

    // Behind the start on its own section: that piece is empty and the walk
    // goes once round the rest.
    const CFHLoopStretch wrap(*a, on(*a, shifted({2100, 100}, shift)), on(*a, shifted({1900, 100}, shift)), true);
    ASSERT_EQ(wrap.pieceCount(), 4);
    EXPECT_TRUE(wrap.isEmptyPiece(0));
    for (int i = 1; i < 4; ++i) EXPECT_NEAR(wrap.pieceLength(i), wrap.sections[i]->curve->length(), 1e-6);
    EXPECT_EQ(lastNonEmptyPiece(wrap), 3);
    const int top = polylinePieceForJoin(wrap);
    EXPECT_EQ(top, 2);
    Point u;
    Point v;
    ASSERT_TRUE(polylinePieceEndPoints(wrap, top, u, v));
    EXPECT_TRUE(u.isEqualTo(shifted({3900, 2900}, shift), workTol) && v.isEqualTo(shifted({100, 2900}, shift), workTol));
    EXPECT_FALSE(polylinePieceEndPoints(wrap, 0, u, v)) << "an empty piece";

    std::unique_ptr<COffsetLoop> other(inset(4000, 3000, 300, shift));
    EXPECT_EQ(CFHLoopStretch(*a, on(*other, shifted({500, 300}, shift)), on(*a, {0, 0}), true).pieceCount(), 0);
    const COffsetLoop empty;
    EXPECT_EQ(CFHLoopStretch(empty, on(*a, shifted({500, 100}, shift)), on(*a, {0, 0}), true).pieceCount(), 0);
  }
}

TEST_F(LoopStretch, IndexOfPointerAnswersMinusOneOffTheStretch) {
  std::unique_ptr<COffsetLoop> a(inset(4000, 3000, 100, 0));
  const CFHLoopStretch two(*a, on(*a, {3000, 100}), on(*a, {3900, 500}), true);
  ASSERT_EQ(two.pieceCount(), 2);
  EXPECT_EQ(indexOfPointer(two, 1), 1);
  for (int index : {-1, 4, 2}) EXPECT_EQ(indexOfPointer(two, index), -1) << index;
}

// The trims on a one-piece stretch (0,0)->(1000,0) of a 1000 x 500 loop and
// on the two pieces from (800,0) round its corner.
TEST_F(LoopStretch, TrimsPullTheEndsBack) {
  std::unique_ptr<COffsetLoop> loop(rectangle(0, 0, 1000, 500));
  const CFHLoopStretch whole(*loop, on(*loop, {0, 0}), on(*loop, {1000, 0}), true);

  CFHLoopStretch ends = whole;
  ASSERT_TRUE(trimPolylineEnds(ends, 200, workTol));
  EXPECT_NEAR(ends.intervals[0].lowerBound(), 0.199999, 1e-12);
  EXPECT_NEAR(ends.intervals[0].upperBound(), 0.800001, 1e-12);
  EXPECT_FALSE(trimPolylineEnds(ends, std::numeric_limits<double>::quiet_NaN(), workTol));

  struct Pull {
    XtGeVector2d along;
    Point reached;
  };
  for (const Pull& pull : {Pull{{1, 0}, {200, 0}}, Pull{{1, 1}, {282.842712, 0}}, Pull{{-1, -1}, {282.842712, 0}}}) {
    CFHLoopStretch s = whole;
    ASSERT_TRUE(trimPolylineStartAlong(s, pull.along, 200, workTol));
    EXPECT_TRUE(s.start.point.isEqualTo(pull.reached, workTol)) << s.start.point.x;
    EXPECT_TRUE(s.pieceStartPoint(0).isEqualTo(pull.reached, workTol));
  }

  // Across the first piece: consumed whole for nothing, the trim goes on.
  CFHLoopStretch corner(*loop, on(*loop, {800, 0}), on(*loop, {1000, 400}), true);
  ASSERT_EQ(corner.pieceCount(), 2);
  ASSERT_TRUE(trimPolylineStartAlong(corner, {0, 1}, 100, workTol));
  EXPECT_TRUE(corner.isEmptyPiece(0));
  EXPECT_TRUE(corner.start.point.isEqualTo({1000, 100}, workTol));
  // Along the first piece to its end: emptied, and the next trim takes the second.
  CFHLoopStretch along(*loop, on(*loop, {800, 0}), on(*loop, {1000, 400}), true);
  ASSERT_TRUE(trimPolylineStartAlong(along, {1, 0}, 200, workTol));
  EXPECT_TRUE(along.isEmptyPiece(0));
  EXPECT_EQ(lastNonEmptyPiece(along), 1);
  ASSERT_TRUE(trimPolylineStartAlong(along, {0, 1}, 300, workTol));
  EXPECT_TRUE(along.start.point.isEqualTo({1000, 300}, workTol));
  EXPECT_FALSE(trimPolylineStartAlong(along, {0, 1}, 300, workTol)) << "used up";
  EXPECT_EQ(lastNonEmptyPiece(along), -1);
  EXPECT_FALSE(trimPolylineStartAlong(along, {0, 1}, 10, workTol)) << "nothing left";
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(trimPolylineStartAlong(ends, {1, 0}, bad, workTol)) << bad;
}

TEST_F(LoopStretch, CornerTrimKeepsTheMiddle) {
  // Right, bottom and left of a 300 x 100 loop, walked backward from its
  // upper right corner, cut against a line above the loop.
  std::unique_ptr<COffsetLoop> q(rectangle(0, 0, 300, 100));
  const CFloorHeatingLine cut({400, 200}, {-100, 200}, nullptr, 1);
  for (double limit : {200.0, 300.0, 400.0}) {
    CFHLoopStretch u(*q, on(*q, {300, 100}), on(*q, {0, 100}), false);
    ASSERT_EQ(u.pieceCount(), 3);
    EXPECT_EQ(trimPolylineCorner(u, cut, limit, workTol), limit < 400.0) << limit;
    EXPECT_TRUE(u.isEmptyPiece(0) && u.isEmptyPiece(2));
    EXPECT_NEAR(u.pieceLength(1), 300.0, 1e-9);
  }
  // A cut that crosses the middle moves its bound to the meeting.
  CFHLoopStretch crossed(*q, on(*q, {300, 100}), on(*q, {0, 100}), false);
  EXPECT_TRUE(trimPolylineCorner(crossed, CFloorHeatingLine({400, 300}, {-200, -300}, nullptr, 1), 50, workTol));
  EXPECT_TRUE(crossed.isEmptyPiece(0) && !crossed.isEmptyPiece(2)) << "only the right side turns away";
  EXPECT_NEAR(crossed.pieceLength(1), 100.0, 1e-9) << "from the meeting at x 100 on";

  std::unique_ptr<COffsetLoop> five(graph_test::polygonLoop({{0, 0}, {300, 0}, {300, 100}, {150, 150}, {0, 100}})
                                        .release());
  CFHLoopStretch round(*five, on(*five, {100, 0}), on(*five, {50, 0}), true);
  ASSERT_EQ(round.pieceCount(), 5);
  const std::vector<XtGeInterval> before = round.intervals;
  EXPECT_FALSE(trimPolylineCorner(round, cut, 100, workTol));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(round.intervals[i].isEqualTo(before[i]));
}

}  // namespace
