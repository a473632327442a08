// The small tests of the spiral's path steps and the centre turn's phase
// counter.
#include "heating/layout/spiral/CentreTurnPhase.h"
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/spiral/LayoutPredicates.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "LayoutTestSupport.h"
#include "SpiralTestSupport.h"

#include <limits>

namespace {

using namespace spiral_test;

class LayoutPredicates : public layout_test::LayoutTest {};

TEST_F(LayoutPredicates, LoopPointsAndLines) {
  std::unique_ptr<COffsetLoop> a(rectangle(0, 0, 1000, 500));
  const COffsetPoint corner({1000, 0}, {a->section(0), a->section(1)});
  const COffsetPoint onBottom({500, 0}, a->section(0));
  const COffsetPoint onRight({1000, 200}, a->section(1));
  EXPECT_TRUE(indexListsShareItems({}) && indexListsShareItems({corner}));
  EXPECT_TRUE(indexListsShareItems({corner, onBottom}) && indexListsShareItems({corner, onRight}));
  EXPECT_FALSE(indexListsShareItems({onBottom, onRight}));

  // From off the loop every way counts as forward; from the loop the
  // shorter way round decides. A line meeting one section never counts.
  struct Case {
    Point from;
    Point to;
    bool forward;
    bool against;
  };
  for (const Case& c : {Case{{-200, 250}, {1200, 250}, false, true}, Case{{-200, 250}, {1200, 250}, true, false},
                        Case{{500, 250}, {1200, 250}, false, false}, Case{{500, 250}, {600, 250}, false, false},
                        Case{{100, 0}, {100, 800}, true, true}, Case{{100, 0}, {100, 800}, false, false}})
    EXPECT_EQ(lineMeetsLoopAgainstDirection(CFloorHeatingLine(c.from, c.to, nullptr, 1), *a, c.forward, workTol),
              c.against)
        << c.from.x << " " << c.to.x << " " << c.forward;
}

TEST_F(LayoutPredicates, LongestCurvesFiniteNumbersOrdersAndSearches) {
  const double eq = workTol.equalPoint();
  const CFloorHeatingLine curve({0, 0}, {1000, 0}, nullptr, 2);
  std::unique_ptr<COffsetLoop> nearlyAsLong(rectangle(0, 0, 1000 + 0.5 * eq, 10));
  std::unique_ptr<COffsetLoop> longer(rectangle(0, 0, 1000 + 2 * eq, 10));
  EXPECT_TRUE(isLongestCurve(curve, {}) && isLongestCurve(curve, nearlyAsLong->elements));
  EXPECT_FALSE(isLongestCurve(curve, longer->elements));

  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(isNotFinite(std::numeric_limits<double>::quiet_NaN()) && isNotFinite(inf) && isNotFinite(-inf));
  EXPECT_FALSE(isNotFinite(1e308) || isNotFinite(-0.0));
  EXPECT_TRUE(pointLessByY({5, 1}, {0, 2}));
  EXPECT_FALSE(pointLessByY({0, 2}, {5, 2}) || pointLessByY({5, 2}, {0, 2}));

  int a = 0;
  int b = 0;
  const std::vector<int*> items{&a, &b, &a};
  int index = -7;
  EXPECT_TRUE(findPointerFromIndex(items, &a, index, 1) && index == 2);
  index = -7;
  EXPECT_FALSE(findPointerFromIndex(items, &b, index, 2) || findPointerFromIndex(items, &a, index, -1));
  EXPECT_EQ(index, -7);
}

TEST_F(LayoutPredicates, PhaseCounterCountsDown) {
  struct Case {
    int counter;
    bool first;
    bool second;
    int after;
    bool answer;
  };
  for (const Case& c : {Case{4, false, false, 3, false}, Case{1, true, true, 0, true}, Case{0, false, true, 0, true},
                        Case{2, true, false, 2, false}}) {
    CentreTurnPhase phase{c.counter};
    EXPECT_EQ(phase.countDownOne(c.first), c.answer) << c.counter;
    EXPECT_EQ(phase.counter, c.after);
  }
  for (const Case& c : {Case{4, true, true, 2, false}, Case{2, true, true, 0, true}, Case{1, true, false, 0, true},
                        Case{3, false, false, 3, false}, Case{1, false, true, 1, false}}) {
    CentreTurnPhase phase{c.counter};
    EXPECT_EQ(phase.countDownTwo(c.first, c.second), c.answer) << c.counter << c.first << c.second;
    EXPECT_EQ(phase.counter, c.after);
  }
  int first = 1;
  int second = 2;
  EXPECT_EQ(&CentreTurnPhase{3}.pickBelow4(first, second), &first);
  EXPECT_EQ(&CentreTurnPhase{3}.pickBelow3(first, second), &second);
}

}  // namespace
