// Hatch boundaries people draw, shared by the hatch tests and the hatch
// tool: rectangles (plain and with round corners), a D of a segment and a
// clockwise half circle, a half ellipse and an elliptical arc closed by its
// chord.
#pragma once

#include <cmath>

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace hatchShapes {

// Counter-clockwise unless `clockwise`.
inline XtGeCompositeCurve2d rectangle(double x0, double y0, double x1, double y1, bool clockwise = false) {
  if (clockwise) return polygon({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}});
  return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
}

// The 6 x 4 rectangle from (x, y) with corners rounded to radius 1.
inline XtGeCompositeCurve2d roundedRectangle(double x, double y) {
  const double b = std::tan(XtGe::kPi / 8);
  return chain({new XtGeLineSeg2d({x + 1, y}, {x + 5, y}), new XtGeCircArc2d({x + 5, y}, {x + 6, y + 1}, b),
                new XtGeLineSeg2d({x + 6, y + 1}, {x + 6, y + 3}), new XtGeCircArc2d({x + 6, y + 3}, {x + 5, y + 4}, b),
                new XtGeLineSeg2d({x + 5, y + 4}, {x + 1, y + 4}), new XtGeCircArc2d({x + 1, y + 4}, {x, y + 3}, b),
                new XtGeLineSeg2d({x, y + 3}, {x, y + 1}), new XtGeCircArc2d({x, y + 1}, {x + 1, y}, b)});
}

inline XtGeCompositeCurve2d circle(double x, double y, double r) {
  return chain({new XtGeCircArc2d(XtGePoint2d(x, y), r)});
}

// The segment (0,0)-(0,4) and the clockwise half circle back through (2,2):
// area 2 pi.
inline XtGeCompositeCurve2d letterD() {
  return chain({new XtGeLineSeg2d({0, 0}, {0, 4}),
                new XtGeCircArc2d(XtGePoint2d(0, 2), 2.0, -XtGe::kHalfPi, XtGe::kHalfPi, XtGeVector2d::kXAxis,
                                  true)});
}

// The ellipse about (x, y) with the major radius 3 along `axis` and ratio
// `ratio`, between the parameters, closed by its chord.
inline XtGeCompositeCurve2d ellipticalSegment(double x, double y, const XtGeVector2d& axis, double ratio,
                                              double from, double to, bool clockwise = false) {
  XtGeVector2d u = axis / axis.length();
  XtGeVector2d v = u.perpVector();
  if (clockwise) v.negate();
  auto* arc = new XtGeEllipArc2d(XtGePoint2d(x, y), u, v, 3.0, 3.0 * ratio, from, to);
  return chain({arc, new XtGeLineSeg2d(arc->endPoint(), arc->startPoint())});
}

// The half ellipse of 3 along X, ratio 0.5: area 2.25 pi.
inline XtGeCompositeCurve2d halfEllipse() { return ellipticalSegment(0, 0, {1, 0}, 0.5, 0.0, XtGe::kPi); }

// The elliptical arc [pi/4, 3pi/4] of that ellipse closed by its chord:
// area 2.25 (pi/2 - 1).
inline XtGeCompositeCurve2d ellipticalCap() {
  return ellipticalSegment(0, 0, {1, 0}, 0.5, XtGe::kPi / 4, 3 * XtGe::kPi / 4);
}

}  // namespace hatchShapes
