// Loop stretches over Z1's first level and the trims of the four-sided join.
#include "heating/layout/offsets/LoopStretch.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

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
    auto stretch = [&](const Point& from, const Point& to) {
      return CFHLoopStretch(*a, on(*a, shifted(from, shift)), on(*a, shifted(to, shift)), true);
    };
    const CFHLoopStretch straight = stretch({500, 100}, {1500, 100});
    ASSERT_EQ(straight.pieceCount(), 1);
    EXPECT_NEAR(straight.intervals[0].lowerBound(), 400.0 / 3800, 1e-9);
    EXPECT_NEAR(straight.intervals[0].upperBound(), 1400.0 / 3800, 1e-9);
    EXPECT_EQ(stretch({3000, 100}, {3900, 500}).pieceCount(), 2);
    EXPECT_EQ(polylinePieceForJoin(straight), -1) << "it covers less than half its section";

    // Behind the start on its own section: that piece is empty and the walk
    // goes once round the rest.
    const CFHLoopStretch wrap = stretch({2100, 100}, {1900, 100});
    ASSERT_EQ(wrap.pieceCount(), 4);
    EXPECT_TRUE(wrap.isEmptyPiece(0));
    for (int i = 1; i < 4; ++i) EXPECT_NEAR(wrap.pieceLength(i), wrap.sections[i]->curve->length(), 1e-6);
    EXPECT_EQ(lastNonEmptyPiece(wrap), 3);
    ASSERT_EQ(polylinePieceForJoin(wrap), 2) << "the top";
    Point u;
    Point v;
    ASSERT_TRUE(polylinePieceEndPoints(wrap, 2, u, v));
    EXPECT_TRUE(u.isEqualTo(shifted({3900, 2900}, shift), workTol) && v.isEqualTo(shifted({100, 2900}, shift), workTol));
    EXPECT_FALSE(polylinePieceEndPoints(wrap, 0, u, v)) << "an empty piece";
    for (int index : {-1, 4}) EXPECT_EQ(indexOfPointer(straight, index), -1) << index;
    EXPECT_EQ(indexOfPointer(straight, 1), -1) << "a section the stretch does not pass";

    std::unique_ptr<COffsetLoop> other(inset(4000, 3000, 300, shift));
    const COffsetLoop empty;
    EXPECT_EQ(CFHLoopStretch(*a, on(*other, shifted({500, 300}, shift)), on(*a, {0, 0}), true).pieceCount(), 0);
    EXPECT_EQ(CFHLoopStretch(empty, on(*a, shifted({500, 100}, shift)), on(*a, {0, 0}), true).pieceCount(), 0);
  }
}

// On the bottom (0,0)->(1000,0) of a 1000 x 500 loop, and round its corner.
TEST_F(LoopStretch, TrimsPullTheEndsBack) {
  std::unique_ptr<COffsetLoop> loop(rectangle(0, 0, 1000, 500));
  const CFHLoopStretch whole(*loop, on(*loop, {0, 0}), on(*loop, {1000, 0}), true);
  CFHLoopStretch ends = whole;
  ASSERT_TRUE(trimPolylineEnds(ends, 200, workTol));
  EXPECT_NEAR(ends.intervals[0].lowerBound(), 0.199999, 1e-12);
  EXPECT_NEAR(ends.intervals[0].upperBound(), 0.800001, 1e-12);
  EXPECT_FALSE(trimPolylineEnds(ends, std::numeric_limits<double>::quiet_NaN(), workTol));

  for (const auto& [along, reached] : {std::pair<XtGeVector2d, Point>{{1, 0}, {200, 0}},
                                       {{1, 1}, {282.842712, 0}}, {{-1, -1}, {282.842712, 0}}}) {
    CFHLoopStretch s = whole;
    ASSERT_TRUE(trimPolylineStartAlong(s, along, 200, workTol));
    EXPECT_TRUE(s.start.point.isEqualTo(reached, workTol) && s.pieceStartPoint(0).isEqualTo(reached, workTol))
        << s.start.point.x;
  }
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(trimPolylineStartAlong(ends, {1, 0}, bad, workTol)) << bad;

  // Across the first piece: consumed whole for nothing, the trim goes on.
  CFHLoopStretch across(*loop, on(*loop, {800, 0}), on(*loop, {1000, 400}), true);
  ASSERT_TRUE(trimPolylineStartAlong(across, {0, 1}, 100, workTol));
  EXPECT_TRUE(across.isEmptyPiece(0) && across.start.point.isEqualTo({1000, 100}, workTol));
  // Along it to its end: emptied; the next trim takes the second piece.
  CFHLoopStretch along(*loop, on(*loop, {800, 0}), on(*loop, {1000, 400}), true);
  ASSERT_TRUE(trimPolylineStartAlong(along, {1, 0}, 200, workTol));
  EXPECT_TRUE(along.isEmptyPiece(0) && lastNonEmptyPiece(along) == 1);
  ASSERT_TRUE(trimPolylineStartAlong(along, {0, 1}, 300, workTol));
  EXPECT_TRUE(along.start.point.isEqualTo({1000, 300}, workTol));
  EXPECT_FALSE(trimPolylineStartAlong(along, {0, 1}, 300, workTol)) << "used up";
  EXPECT_EQ(lastNonEmptyPiece(along), -1);
}

TEST_F(LoopStretch, CornerTrimKeepsTheMiddle) {
  // Right, bottom and left of a 300 x 100 loop, walked backward from its
  // upper right corner, against a line above it: both sides turn away.
  std::unique_ptr<COffsetLoop> q(rectangle(0, 0, 300, 100));
  const CFloorHeatingLine above({400, 200}, {-100, 200}, nullptr, 1);
  for (double limit : {200.0, 300.0, 400.0}) {
    CFHLoopStretch u(*q, on(*q, {300, 100}), on(*q, {0, 100}), false);
    ASSERT_EQ(u.pieceCount(), 3);
    EXPECT_EQ(trimPolylineCorner(u, above, limit, workTol), limit < 400.0) << limit;
    EXPECT_TRUE(u.isEmptyPiece(0) && u.isEmptyPiece(2));
    EXPECT_NEAR(u.pieceLength(1), 300.0, 1e-9);
  }
  // A cut across the middle moves its bound to the meeting (x 100).
  CFHLoopStretch crossed(*q, on(*q, {300, 100}), on(*q, {0, 100}), false);
  EXPECT_TRUE(trimPolylineCorner(crossed, CFloorHeatingLine({400, 300}, {-200, -300}, nullptr, 1), 50, workTol));
  EXPECT_TRUE(crossed.isEmptyPiece(0) && !crossed.isEmptyPiece(2)) << "only the right side turns away";
  EXPECT_NEAR(crossed.pieceLength(1), 100.0, 1e-9);

  std::unique_ptr<COffsetLoop> five(graph_test::polygonLoop({{0, 0}, {300, 0}, {300, 100}, {150, 150}, {0, 100}})
                                        .release());
  CFHLoopStretch round(*five, on(*five, {100, 0}), on(*five, {50, 0}), true);
  ASSERT_EQ(round.pieceCount(), 5);
  const std::vector<XtGeInterval> before = round.intervals;
  EXPECT_FALSE(trimPolylineCorner(round, above, 100, workTol));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(round.intervals[i].isEqualTo(before[i]));
}

}  // namespace
