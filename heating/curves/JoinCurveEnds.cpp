#include "heating/curves/JoinCurveEnds.h"

#include "geometry/Tolerances.h"
#include "heating/curves/HeatingCurveEnds.h"

XtGePoint2d joinCurveEnds(CFloorHeatingCurve& a, CFloorHeatingCurve& b, const XtGeTol& tol, double limit) {
  if (&a == &b) return a.startPoint();
  if (!(limit > 0.0)) limit = 2.0 * zoneBoundsTol.equalPoint();
  const XtGePoint2d aEnd = a.endPoint();
  const XtGePoint2d bStart = b.startPoint();
  XtGePoint2d common = midPoint2d(aEnd, bStart);
  const XtGeLine2d leaving = a.endLine();
  const XtGeLine2d arriving = b.startLine();
  XtGePoint2d meet;
  if (!leaving.isColinearTo(arriving, tol) && leaving.intersectWith(arriving, meet, tol) &&
      meet.distanceTo(aEnd) <= limit && meet.distanceTo(bStart) <= limit)
    common = meet;
  a.setEndPoints(a.startPoint(), common);
  b.setEndPoints(common, b.endPoint());
  return common;
}
