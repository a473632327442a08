// Facing spans by ray casting between two maps of straight walls, and the
// small queries over interval curves and loop points.
#include "heating/layout/offsets/IntervalCurveMaps.h"
#include "heating/layout/offsets/LayoutRayCast.h"
#include "heating/layout/offsets/LoopPointRays.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CLoopElement.h"

#include "LayoutTestSupport.h"

#include <algorithm>
#include <cmath>

namespace {

using Point = XtGePoint2d;
using Spans = std::vector<std::pair<double, double>>;
using Line = std::pair<Point, Point>;

// Walls with their interval curves; keptXs: wall i's kept spans as x ranges.
struct Walls {
  explicit Walls(const std::vector<Line>& lines) {
    std::vector<CLoopElement*> raw;
    for (const auto& [a, b] : lines) {
      elements.push_back(std::make_unique<CLoopElement>(new CFloorHeatingLine(a, b, nullptr, 15), true));
      raw.push_back(elements.back().get());
    }
    buildIntervalCurves(raw, intervals);
    map = intervalCurveMapOf(intervals);
  }
  Spans keptXs(std::size_t i) const {
    Spans xs;
    const XtGeCurve2d& ge = intervals[i]->curve->geCurve();
    for (const XtGeInterval& span : intervals[i]->intervalsKept)
      xs.emplace_back(std::minmax(ge.evalPoint(span.lowerBound()).x, ge.evalPoint(span.upperBound()).x));
    std::sort(xs.begin(), xs.end());
    return xs;
  }
  std::vector<std::unique_ptr<CLoopElement>> elements;
  CFHIntervalCurveList intervals;
  CFHIntervalCurveMap map;
};

class FacingSpans : public layout_test::LayoutTest {};

constexpr double kStep = 10.0;
// A runs right to left, B left to right above it: facing each other the
// other way round, as the shared wall of two counter-clockwise rooms.
const Line kA{{4000, 0}, {0, 0}};
const Line kB{{500, 250}, {3500, 250}};

TEST_F(FacingSpans, WallsAreMarkedWhereTheyFaceWithNothingBetween) {
  const struct {
    std::vector<Line> other;
    Spans ownKept;                  // on A
    std::vector<Spans> otherKept;  // per other wall
  } cases[] = {
      {{kB}, {{500, 3500}}, {{{500, 3500}}}},
      {{kB, {{1500, 125}, {2500, 125}}}, {{500, 3500}}, {{{500, 1500}, {2500, 3500}}, {{1500, 2500}}}},  // between
      {{{{500, 250}, {1900, 250}}, {{2100, 250}, {3500, 250}}}, {{500, 1900}, {2100, 3500}}, {{{500, 1900}}, {{2100, 3500}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Walls own({kA}), other(c.other);
    layoutRayCast(own.map, other.map, kStep);
    EXPECT_TRUE(other.map.empty()) << "the other map is emptied, its curves stay";
    resetIntervalCurves(own.map);
    resetIntervalCurves(intervalCurveMapOf(other.intervals));
    for (std::size_t w = 0; w <= c.otherKept.size(); ++w) {
      const Spans got = w == 0 ? own.keptXs(0) : other.keptXs(w - 1);
      const Spans& want = w == 0 ? c.ownKept : c.otherKept[w - 1];
      ASSERT_EQ(got.size(), want.size()) << w;
      for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_TRUE(std::abs(got[i].first - want[i].first) <= kStep && std::abs(got[i].second - want[i].second) <= kStep)
            << w << ": " << got[i].first << "-" << got[i].second;
    }
  }
}

TEST_F(FacingSpans, StepZeroWithoutUnitFactorEndsAndQueries) {
  drawingUnitFactor = 0.0;
  Walls own({kA, {{0, 0}, {0, -1000}}}), other({kB});
  Point nearest;
  CFHIntervalCurve* which = nullptr;
  EXPECT_FALSE(nearestOnIntervalCurves(own.map, {2000, -50}, nearest, which)) << "nothing recomputed";
  layoutRayCast(own.map, other.map, 0.0);
  setIntervalCurvesValue(own.map, 100.0);
  resetIntervalCurves(own.map);
  ASSERT_EQ(own.keptXs(0).size(), 1u);
  EXPECT_NEAR(own.keptXs(0)[0].first, 600.0, 0.05) << "sampled finely, shortened by the value";
  ASSERT_TRUE(nearestOnIntervalCurves(own.map, {4000, -50}, nearest, which));
  EXPECT_TRUE(which == own.intervals[0].get() && nearest.isEqualTo({3400, 0}, XtGeTol(0.05, 0.05)));
  EXPECT_FALSE(own.intervals[1]->valid) << "the wall facing nothing";

  const CLoopPoint free(Point(2000, 0)), onA(Point(2000, 0), own.elements[0].get());
  EXPECT_TRUE(std::isinf(nearestOwnerEndDistance(free)));
  EXPECT_DOUBLE_EQ(nearestOwnerEndDistance(onA), 2000.0);
  Point hit;
  ASSERT_TRUE(firstNormalRayHit(onA, CLoopPoint(Point(1000, 250), other.elements[0].get()), hit));
  EXPECT_TRUE(hit.isEqualTo({2000, 250}, workTol));
  EXPECT_FALSE(firstNormalRayHit(onA, free, hit));
}

}  // namespace
