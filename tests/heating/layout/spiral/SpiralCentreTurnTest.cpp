// The centre turn test in a 6000 x 3000 room: L (level 5) around Q (level
// 6), both four-sided, and the trim of its last rung.
#include "heating/layout/offsets/COffsetPointQuad.h"
#include "heating/layout/spiral/SpiralCentreTurn.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <tuple>

namespace {

using namespace spiral_test;

class SpiralCentreTurn : public layout_test::LayoutTest {};

struct Turn {
  bool ok;
  std::vector<COffsetPoint> a;
  std::vector<COffsetPoint> b;
  std::vector<COffsetPointQuad> rungs;
};

Turn turnAt(CFHCircuitLayout& layout, COffsetLoop* outer, COffsetLoop* inner, const Point& atOuter,
            const Point& atInner) {
  Turn t{false, {COffsetPoint()}, {COffsetPoint()}, {COffsetPointQuad()}};  // the work lists come in full
  t.ok = layout.tryCentreTurn(*nodeAt(layout, inner, atInner), *nodeAt(layout, outer, atOuter), true, t.a, t.b,
                              t.rungs);
  return t;
}

testing::AssertionResult runsAlong(const std::vector<COffsetPoint>& points, double x0, double dx, double y,
                                   std::size_t count) {
  if (points.size() != count) return testing::AssertionFailure() << points.size() << " points";
  for (std::size_t i = 0; i < count; ++i)
    if (!points[i].point.isEqualTo(Point(x0 + dx * static_cast<double>(i), y), workTol))
      return testing::AssertionFailure() << "point " << i << " at " << points[i].point.x;
  return testing::AssertionSuccess();
}

TEST_F(SpiralCentreTurn, FromALongSideStraightAcrossOrFromAShortSideAcrossTheMiddle) {
  auto room = recordWith({rectangle(1100, 1100, 4900, 1900), rectangle(1300, 1300, 4700, 1700)});
  const Turn a = turnAt(*room, loopAt(*room, 0), loopAt(*room, 1), {3000, 1100}, {3000, 1300});
  EXPECT_TRUE(a.ok && a.rungs.empty());
  EXPECT_TRUE(runsAlong(a.a, 3000, 200, 1700, 9));
  EXPECT_TRUE(runsAlong(a.b, 3200, 200, 1100, 8));

  const Turn b = turnAt(*room, loopAt(*room, 0), loopAt(*room, 1), {1100, 1500}, {1300, 1500});
  ASSERT_TRUE(b.ok);
  EXPECT_TRUE(runsAlong(b.a, 4700, -200, 1300, 17));
  EXPECT_TRUE(runsAlong(b.b, 4700, -200, 1900, 17));
  ASSERT_EQ(b.rungs.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) {
    const COffsetPointQuad& rung = b.rungs[i];
    const double x = 4700 - 400.0 * static_cast<double>(i);
    const Point expected[] = {{x, 1900}, {x, 1300}, {x - 200, 1300}, {x - 200, 1900}};
    ASSERT_EQ(rung.count, i < 8 ? 4 : 2);
    for (int k = 0; k < rung.count; ++k) EXPECT_TRUE(rung.points[k].point.isEqualTo(expected[k], workTol)) << i;
  }
}

TEST_F(SpiralCentreTurn, OnlyElongatedFourSidedLoopsAreTried) {
  // Inside six sides: true at once. A five-sided inner loop, or Z1's 1800 x
  // 800 level round its 1400 x 400 one (4 x 400 > 1400): false.
  COffsetLoop* six = graph_test::polygonLoop({{1100, 1100}, {4900, 1100}, {4900, 1900}, {3000, 1950}, {1100, 1900},
                                              {1000, 1500}}).release();
  COffsetLoop* five =
      graph_test::polygonLoop({{1300, 1300}, {4700, 1300}, {4700, 1700}, {3000, 1750}, {1300, 1700}}).release();
  for (const auto& [outer, inner, ok] : {std::tuple{six, rectangle(1300, 1300, 4700, 1700), true},
                                         std::tuple{rectangle(1100, 1100, 4900, 1900), five, false},
                                         std::tuple{rectangle(1100, 1100, 2900, 1900), rectangle(1300, 1300, 2700, 1700),
                                                    false}}) {
    auto room = recordWith({outer, inner});
    const Turn t = turnAt(*room, outer, inner, {2000, 1100}, {2000, 1300});
    EXPECT_EQ(t.ok, ok);
    EXPECT_TRUE(t.a.size() == 1 && t.b.size() == 1 && t.rungs.size() == 1) << "the lists are left as they came";
  }
}

TEST_F(SpiralCentreTurn, TheLastRungEndsOnTheInnerLoop) {
  struct Row {
    int count;
    bool outerShort;
    bool innerShort;
    std::vector<int> after;  // the counts of the two rungs
  };
  for (const Row& row : {Row{4, true, false, {4, 3}}, Row{4, false, true, {4, 2}}, Row{4, true, true, {4, 2}},
                         Row{4, false, false, {4, 3}}, Row{2, true, false, {3}}, Row{2, false, true, {3}},
                         Row{2, true, true, {3}}, Row{2, false, false, {4, 2}}}) {
    std::vector<COffsetPointQuad> rungs{COffsetPointQuad({}, {}, {}, {}), COffsetPointQuad({}, {}, {}, {})};
    rungs.back().count = row.count;
    trimLastRung(rungs, row.outerShort, row.innerShort);
    std::vector<int> counts;
    for (const COffsetPointQuad& rung : rungs) counts.push_back(rung.count);
    EXPECT_EQ(counts, row.after) << row.count << " " << row.outerShort << row.innerShort;
  }
}

}  // namespace
