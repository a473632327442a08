// The zone-curve overlap test on the shapes people draw, also far from the
// origin.
#include "heating/design/zones/ZoneCurvesOverlap.h"

#include "tests/heating/curves/CurveTestSupport.h"

#include <string>

namespace {

using namespace curve_test;

class ZoneCurvesOverlapTest : public HeatingCurveTest {};

TEST_F(ZoneCurvesOverlapTest, ShortCurvesOverAnOutlineOverlapNeighbouringOutlinesDoNot) {
  enum Shape { kRoom, kNeighbour, kEdgeLine, kTwoPieces, kCrossing, kFaraway, kArchedRoom, kWallArc, kInnerArc };
  const auto make = [](Shape shape) -> CFloorHeatingCurve::Ptr {
    switch (shape) {
      case kRoom: return rectangle(0, 0, 4000, 3000);
      case kNeighbour: return polyline({{4000, 0}, {4000, 3000}, {8000, 3000}, {8000, 0}, {4000, 0}});  // clockwise
      case kEdgeLine: return line({1000, 0}, {3000, 0});
      case kTwoPieces: return polyline({{1000, 0}, {3000, 0}, {3000, -500}});
      case kCrossing: return line({2000, -500}, {2000, 500});
      case kFaraway: return line({10000, 0}, {11000, 0});
      case kArchedRoom:  // the top wall a half circle over (4000, 3000)-(0, 3000)
        return std::make_unique<CFloorHeatingPolyLine>(
            composite({0, 0}, {{{4000, 0}}, {{4000, 3000}}, {{0, 3000}, 1.0}, {{0, 0}}}), 2);
      case kWallArc: return arc({2000, 3000}, 2000.0, kPi / 4, 3 * kPi / 4);
      case kInnerArc: return arc({2000, 3000}, 1500.0, kPi / 4, 3 * kPi / 4);  // parallel, inside
    }
    return nullptr;
  };
  const struct {
    const char* what;
    std::vector<Shape> finished;
    Shape curve;
    bool overlaps;
  } cases[] = {
      {"a line over an edge", {kRoom}, kEdgeLine, true},
      {"the outline against the line", {kEdgeLine}, kRoom, true},
      {"a two-piece polyline over an edge", {kRoom}, kTwoPieces, true},
      {"neighbouring rectangles", {kRoom}, kNeighbour, false},
      {"a line crossing an edge", {kRoom}, kCrossing, false},
      {"an arc on an arc wall", {kArchedRoom}, kWallArc, true},
      {"an arc inside the arc wall", {kArchedRoom}, kInnerArc, false},
      {"disjoint curves", {kRoom, kArchedRoom}, kFaraway, false},
      {"the first overlapping curve decides", {kFaraway, kNeighbour, kEdgeLine}, kRoom, false},
      {"nothing finished", {}, kRoom, false},
  };
  for (const XtGeVector2d d : {XtGeVector2d(0, 0), XtGeVector2d(1e7, -1e7)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (d.x != 0.0 ? " far out" : ""));
      CFloorHeatingCurve::PtrVector finished;
      for (const Shape shape : c.finished) finished.push_back(make(shape));
      finished.push_back(nullptr);  // passed over
      for (const auto& curve : finished)
        if (curve) curve->translateBy(d);
      const auto curve = make(c.curve);
      curve->translateBy(d);
      EXPECT_EQ(zoneCurvesOverlap(finished, *curve), c.overlaps);
    }
  }
}

}  // namespace
