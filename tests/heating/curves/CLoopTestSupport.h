// Loops of heating curves for the loop tests.
#pragma once

#include "heating/curves/CLoop.h"

#include "CurveTestSupport.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace loop_test {

using curve_test::near;

// A loop that owns its elements (which own their curves).
class OwningLoop : public CLoop {
 public:
  ~OwningLoop() override {
    for (CLoopElement* element : elements) delete element;
  }
  void add(std::unique_ptr<CFloorHeatingCurve> curve) { elements.push_back(new CLoopElement(curve.release(), true)); }
  CLoopElement* at(int i) const { return elements[i]; }
};

// Line elements through the points (moved by dx, dy), closed.
inline std::unique_ptr<OwningLoop> polygonLoop(const std::vector<XtGePoint2d>& points, double dx = 0, double dy = 0) {
  auto loop = std::make_unique<OwningLoop>();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const XtGePoint2d& next = points[(i + 1) % points.size()];
    loop->add(curve_test::line({points[i].x + dx, points[i].y + dy}, {next.x + dx, next.y + dy}));
  }
  return loop;
}

// Counter-clockwise: the 10 x 10 square (bottom, right, top, left), an L (the
// square without its upper right quarter) and a U (30 x 20, a 10 x 10 notch
// from above).
inline std::vector<XtGePoint2d> squarePoints() { return {{0, 0}, {10, 0}, {10, 10}, {0, 10}}; }
inline std::vector<XtGePoint2d> lPoints() { return {{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}; }
inline std::vector<XtGePoint2d> uPoints() {
  return {{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
}

// A circle of radius r about the origin of two half-circles joined at (+-r, 0).
inline std::unique_ptr<OwningLoop> twoHalfCircles(double r, bool clockwise = false) {
  auto loop = std::make_unique<OwningLoop>();
  loop->add(curve_test::arc({0, 0}, r, 0.0, curve_test::kPi, clockwise));
  loop->add(curve_test::arc({0, 0}, r, curve_test::kPi, 2.0 * curve_test::kPi, clockwise));
  return loop;
}

inline CLoopPoint at(const XtGePoint2d& p, std::initializer_list<CLoopElement*> links) {
  CLoopPoint point(p);
  for (CLoopElement* link : links) point.addLink(link);
  return point;
}

// The positions of the links in the loop, in link order.
inline std::vector<int> linkIndices(const CLoop& loop, const CLoopPoint& p) {
  std::vector<int> indices;
  for (const CLoopElement* link : p.links()) indices.push_back(loop.indexOf(link));
  return indices;
}

// The tolerances of a millimetre drawing (see curve_test::HeatingCurveTest)
// and a point tolerance of 1e-3 for the loop operations.
class LoopTest : public curve_test::HeatingCurveTest {
 protected:
  const XtGeTol tol_{1e-3, 1e-5};
};

}  // namespace loop_test
