#include "heating/layout/offsets/TurnBetweenCurves.h"

#include "heating/layout/offsets/COffsetPiece.h"

#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

int turnBetweenCurves(const CFloorHeatingCurve* a, const CFloorHeatingCurve* b) {
  if (a == nullptr || b == nullptr) return kTurnNone;
  XtGeLineSeg2d endProbe;
  XtGeLineSeg2d startProbe;
  if (!extensionSegmentAtEnd(*a, 1.0, endProbe) || !extensionSegmentAtStart(*b, 1.0, startProbe)) return kTurnNone;
  const XtGeVector2d t1 = endProbe.endPoint() - endProbe.startPoint();
  const XtGeVector2d t2 = startProbe.startPoint() - startProbe.endPoint();
  const double z = t1.crossProduct(t2);
  const double e = fixedTolFine.equalPoint();
  if (z < -e) return kTurnRight;
  if (z > e) return kTurnLeft;
  return kTurnNone;
}

int turnBetweenCurves(const COffsetPiece& previous, const COffsetPiece& next, XtGePoint2d& point) {
  if (previous.source == nullptr || next.source == nullptr) {
    point = midPoint2d(previous.curve->endPoint(), next.curve->startPoint());
    return kTurnNone;
  }
  point = midPoint2d(previous.source->endPoint(), next.source->startPoint());
  return turnBetweenCurves(previous.source, next.source);
}
