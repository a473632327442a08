// The zone-curve overlap test on the shapes people draw, also far from the
// origin.
#include "heating/design/ZoneCurvesOverlap.h"

#include "tests/heating/curves/CurveTestSupport.h"

#include <functional>
#include <string>

namespace {

using namespace curve_test;
using Make = std::function<CFloorHeatingCurve::Ptr(const XtGeVector2d&)>;

CFloorHeatingCurve::Ptr moved(std::initializer_list<XtGePoint2d> points, const XtGeVector2d& d) {
  std::vector<XtGePoint2d> shifted;
  for (const XtGePoint2d& p : points) shifted.push_back(p + d);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (std::size_t i = 1; i < shifted.size(); ++i)
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(shifted[i - 1], shifted[i]));
  if (pieces.size() == 1) return line(shifted[0], shifted[1]);
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), 2);
}

// A room whose top wall is a half circle over (0, 3000)-(4000, 3000).
CFloorHeatingCurve::Ptr archedRoom(const XtGeVector2d& d) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0) + d, XtGePoint2d(4000, 0) + d));
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(4000, 0) + d, XtGePoint2d(4000, 3000) + d));
  pieces.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(2000, 3000) + d, 2000.0, 0.0, kPi));
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 3000) + d, XtGePoint2d(0, 0) + d));
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), 2);
}

class ZoneCurvesOverlapTest : public HeatingCurveTest {};

TEST_F(ZoneCurvesOverlapTest, ShortCurvesOverAnOutlineOverlapNeighbouringOutlinesDoNot) {
  const Make room = [](const XtGeVector2d& d) {
    return moved({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}, {0, 0}}, d);
  };
  const Make neighbour = [](const XtGeVector2d& d) {  // clockwise, sharing the edge x = 4000
    return moved({{4000, 0}, {4000, 3000}, {8000, 3000}, {8000, 0}, {4000, 0}}, d);
  };
  const Make edgeLine = [](const XtGeVector2d& d) { return moved({{1000, 0}, {3000, 0}}, d); };
  const Make twoPieces = [](const XtGeVector2d& d) { return moved({{1000, 0}, {3000, 0}, {3000, -500}}, d); };
  const Make crossing = [](const XtGeVector2d& d) { return moved({{2000, -500}, {2000, 500}}, d); };
  const Make faraway = [](const XtGeVector2d& d) { return moved({{10000, 0}, {11000, 0}}, d); };
  const Make wallArc = [](const XtGeVector2d& d) -> CFloorHeatingCurve::Ptr {
    return arc(XtGePoint2d(2000, 3000) + d, 2000.0, kPi / 4, 3 * kPi / 4);
  };
  const Make innerArc = [](const XtGeVector2d& d) -> CFloorHeatingCurve::Ptr {  // parallel to the wall, inside
    return arc(XtGePoint2d(2000, 3000) + d, 1500.0, kPi / 4, 3 * kPi / 4);
  };
  const struct {
    const char* what;
    std::vector<Make> finished;
    Make curve;
    bool overlaps;
  } cases[] = {
      {"a line over an edge", {room}, edgeLine, true},
      {"the outline against the line", {edgeLine}, room, true},
      {"a two-piece polyline over an edge", {room}, twoPieces, true},
      {"neighbouring rectangles", {room}, neighbour, false},
      {"a line crossing an edge", {room}, crossing, false},
      {"an arc on an arc wall", {archedRoom}, wallArc, true},
      {"an arc inside the arc wall", {archedRoom}, innerArc, false},
      {"disjoint curves", {room, archedRoom}, faraway, false},
      {"the first overlapping curve decides", {faraway, neighbour, edgeLine}, room, false},
      {"nothing finished", {}, room, false},
  };
  for (const XtGeVector2d d : {XtGeVector2d(0, 0), XtGeVector2d(1e7, -1e7)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (d.x != 0.0 ? " far out" : ""));
      CFloorHeatingCurve::PtrVector finished;
      for (const Make& make : c.finished) finished.push_back(make(d));
      finished.push_back(nullptr);  // passed over
      EXPECT_EQ(zoneCurvesOverlap(finished, *c.curve(d)), c.overlaps);
    }
  }
}

}  // namespace
