// Shapes people draw, as composites of segments and bulged arcs, for the
// composite and intersection tests, and the crossings of an intersection.
#pragma once

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cmath>
#include <memory>
#include <vector>

struct PolyVertex {
  double x;
  double y;
  double bulge = 0.0;  // of the piece from this vertex to the next
};

// The polyline through the vertices; closed adds the piece back to the first.
inline std::vector<std::unique_ptr<XtGeCurve2d>> polylinePieces(const std::vector<PolyVertex>& v,
                                                                bool closed) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  const std::size_t n = v.size();
  const std::size_t count = closed ? n : n - 1;
  for (std::size_t i = 0; i < count; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[(i + 1) % n];
    const XtGePoint2d p(a.x, a.y);
    const XtGePoint2d q(b.x, b.y);
    if (a.bulge == 0.0)
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
    else
      pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, a.bulge));
  }
  return pieces;
}

inline XtGeCompositeCurve2d polyline(const std::vector<PolyVertex>& v, bool closed) {
  return XtGeCompositeCurve2d(polylinePieces(v, closed));
}

// Counter-clockwise rectangle from (x, y), width w, height h.
inline XtGeCompositeCurve2d rectangle(double x, double y, double w, double h) {
  return polyline({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, true);
}

// 6 x 4 with a 3 x 2 notch at the top right: area 18, perimeter 20.
inline XtGeCompositeCurve2d lShape() {
  return polyline({{0, 0}, {6, 0}, {6, 2}, {3, 2}, {3, 4}, {0, 4}}, true);
}

// Crossings of an intersection: overlaps and points that are not touches.
inline int crossingCount(const XtGeCurveCurveInt2d& x) {
  int n = x.overlapCount();
  for (int i = 0; i < x.numIntPoints(); ++i) n += x.isTangential(i) ? 0 : 1;
  return n;
}
