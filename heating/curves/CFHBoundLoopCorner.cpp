// Moving a pipe's connection point off a corner of a zone loop, so that the
// pipe meets one side of the zone and not the corner between two.
#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoop.h"
#include "heating/curves/DrawingUnitFactor.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

void CFHBoundLoop::moveOffCorner(XtGePoint2d& point, const CFloorHeatingCurve& pipe) const {
  const double u = usableDrawingUnitFactor();
  const double nearCorner = 0.1 * u;
  const double step = 0.2 * u;
  int at = -1;
  for (int i = 0; i < itemCount() && at < 0; ++i)
    if (item(i) != nullptr && item(i)->hasCurve() && item(i)->curve->geCurve().isOn(point, workTol)) at = i;
  if (at < 0) return;

  // The corner lies between `before` and `after`.
  int before = -1;
  int after = -1;
  const CFloorHeatingCurve& side = *item(at)->curve;
  if (point.distanceTo(side.endPoint()) <= nearCorner) {
    before = at;
    after = nextIndex(at);
  } else if (point.distanceTo(side.startPoint()) <= nearCorner) {
    before = previousIndex(at);
    after = at;
  } else {
    return;
  }
  const CFloorHeatingCurve& sideBefore = *item(before)->curve;
  const CFloorHeatingCurve& sideAfter = *item(after)->curve;

  // All three directions point away from the corner.
  const bool pipeStartNearer = point.distanceTo(pipe.startPoint()) <= point.distanceTo(pipe.endPoint());
  const XtGeVector2d c = -(pipeStartNearer ? outwardTangentAtStart(pipe) : outwardTangentAtEnd(pipe));
  const XtGeVector2d ta = -outwardTangentAtStart(sideAfter);
  const XtGeVector2d tb = -outwardTangentAtEnd(sideBefore);
  const double alpha = angleBetweenVectors(c, ta, true);
  const double beta = angleBetweenVectors(tb, c, true);

  // The point walks `step` along the chosen side away from the corner.
  if (beta < alpha) {
    if (sideAfter.length() >= 2.0 * step) point = pointAtLength(sideAfter, step);
  } else {
    const double length = sideBefore.length();
    if (length >= 2.0 * step) point = pointAtLength(sideBefore, length - step);
  }
}
