// Shapes, tolerances and measures shared by the heating curve tests.
#pragma once

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "host/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

namespace curve_test {

inline constexpr double kPi = std::numbers::pi;

// The tolerances of a heating command in a millimetre drawing (unit factor
// 1000): workTol 1e-3, workTolFine 1e-6, drawing unit factor 1000.
class HeatingCurveTest : public testing::Test {
 protected:
  HeatingCurveTest() : tolerances_(1000) { drawingUnitFactor = 1000.0; }

 private:
  GeometryToleranceScope tolerances_;
};

// One step of a polyline: to `to`, straight (bulge 0) or along an arc of that
// bulge (tan of a quarter of the sweep, positive counter-clockwise).
struct Step {
  XtGePoint2d to;
  double bulge = 0.0;
};

inline XtGeCompositeCurve2d composite(const XtGePoint2d& from, std::initializer_list<Step> steps) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  XtGePoint2d at = from;
  for (const Step& step : steps) {
    if (step.bulge == 0.0)
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, step.to));
    else
      pieces.push_back(std::make_unique<XtGeCircArc2d>(at, step.to, step.bulge));
    at = step.to;
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

// A polyline through the points, straight pieces only.
inline std::unique_ptr<CFloorHeatingPolyLine> polyline(std::initializer_list<XtGePoint2d> points,
                                                       std::uint32_t tag = 2) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  const XtGePoint2d* previous = nullptr;
  for (const XtGePoint2d& p : points) {
    if (previous != nullptr) pieces.push_back(std::make_unique<XtGeLineSeg2d>(*previous, p));
    previous = &p;
  }
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), tag);
}

// A counter-clockwise rectangle as a closed polyline from (x0, y0).
inline std::unique_ptr<CFloorHeatingPolyLine> rectangle(double x0, double y0, double x1, double y1) {
  return polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
}

inline std::unique_ptr<CFloorHeatingArc> arc(const XtGePoint2d& centre, double radius, double startAngle,
                                             double endAngle, bool clockwise = false, std::uint32_t tag = 2) {
  return std::make_unique<CFloorHeatingArc>(
      XtGeCircArc2d(centre, radius, startAngle, endAngle, XtGeVector2d::kXAxis, clockwise), nullptr, tag);
}

inline std::unique_ptr<CFloorHeatingLine> line(const XtGePoint2d& from, const XtGePoint2d& to,
                                               std::uint32_t tag = 2) {
  return std::make_unique<CFloorHeatingLine>(from, to, nullptr, tag);
}

// Both points within `tol` of each other.
inline testing::AssertionResult near(const XtGePoint2d& actual, const XtGePoint2d& expected, double tol = 1e-9) {
  if (actual.distanceTo(expected) <= tol) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") is not (" << expected.x << ", "
                                     << expected.y << ")";
}

// The curve's start and end fields equal its geometry's ends.
inline testing::AssertionResult endsInStep(const CFloorHeatingCurve& curve, double tol = 1e-9) {
  XtGePoint2d s;
  XtGePoint2d e;
  if (!curve.geCurve().hasStartPoint(s) || !curve.geCurve().hasEndPoint(e))
    return testing::AssertionFailure() << "the geometry has no ends";
  if (s.distanceTo(curve.startPoint()) > tol || e.distanceTo(curve.endPoint()) > tol)
    return testing::AssertionFailure() << "ends (" << curve.startPoint().x << ", " << curve.startPoint().y << ") - ("
                                       << curve.endPoint().x << ", " << curve.endPoint().y << "), geometry (" << s.x
                                       << ", " << s.y << ") - (" << e.x << ", " << e.y << ")";
  return testing::AssertionSuccess();
}

}  // namespace curve_test
