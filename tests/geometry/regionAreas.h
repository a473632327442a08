// Measures of the closed curves a region operation answers, for the
// region tests.
#pragma once

#include "geometry/curveArea.h"
#include "geometry/curveClassification.h"
#include "geometry/curveList.h"

#include <gtest/gtest.h>

namespace regionAreas {

// The area of the region the closed curves bound: a curve inside an odd
// number of the others is a hole and counts negative. NaN when a curve is
// not closed.
inline double netArea(const curvePtrArray& curves) {
  double net = 0.0;
  for (int i = 0; i < curves.count(); ++i) {
    double area = 0.0;
    if (!getCurveArea(*curves[i], area)) return std::numeric_limits<double>::quiet_NaN();
    int depth = 0;
    for (int j = 0; j < curves.count(); ++j)
      if (j != i && classifyCurveInCurve(*curves[i], *curves[j]) == kPositionInside) ++depth;
    net += depth % 2 == 0 ? area : -area;
  }
  return net;
}

// The area of one closed curve (NaN when it is open).
inline double areaOf(const XtGeCurve2d& curve) {
  double area = 0.0;
  return getCurveArea(curve, area) ? area : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace regionAreas
