#include "geometry/PointAreas.h"

#include "geometry/reportAssertion.h"
#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeLine2d.h"

#include <cmath>

double getPointsArea(const XtGePoint2dArray& points) {
  const int n = points.length();
  if (n < 3) return 0.0;
  // The segments of the loop, measured from the first point so that the sum
  // keeps its precision far from the origin. A closing segment of zero
  // length adds nothing and is not made.
  const XtGePoint2d& origin = points[0];
  double twiceArea = 0.0;
  for (int i = 0; i < n; ++i) {
    const XtGeVector2d p = points[i] - origin;
    const XtGeVector2d q = points[(i + 1) % n] - origin;
    twiceArea += p.x * q.y - q.x * p.y;
  }
  if (!std::isfinite(twiceArea)) {
    HV_REPORT_ASSERTION(u"geBound", 18, u"getPointsArea");
    return 0.0;
  }
  return std::fabs(twiceArea) * 0.5;
}

double triangleArea(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& c,
                    const XtGeTol& equalTol) {
  if (!a.isFinite() || !b.isFinite() || !c.isFinite()) return 0.0;
  if (a.isEqualTo(b, equalTol) || b.isEqualTo(c, equalTol) || a.isEqualTo(c, equalTol)) return 0.0;
  const XtGeLine2d base(a, b);
  const XtGePoint2d foot = base.closestPointTo(c, XtGeContext::gTol);
  if (!foot.isFinite()) return 0.0;
  return 0.5 * a.distanceTo(b) * c.distanceTo(foot);
}
