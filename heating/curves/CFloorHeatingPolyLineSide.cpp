// The side test of a heating polyline.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include <utility>

namespace {

constexpr XtGeTol kExact(0.0, 0.0);

// Whether the ray, which leaves the piece `endPiece` of the curve at one of
// its ends along its tangent, meets any other piece (a closed curve's piece
// that ends where the ray starts meets it there).
bool rayMeetsOtherPieces(const XtGeCompositeCurve2d& curve, const XtGeRay2d& ray, int endPiece) {
  for (int i = 0; i < curve.numCurves(); ++i) {
    XtGePoint2d hit;
    if (i != endPiece && pieceHitsRay(*curve.curveAt(i), ray, hit, workTolFine)) return true;
  }
  return false;
}

}  // namespace

bool CFloorHeatingPolyLine::sideTest(const XtGePoint2d& p, const XtGePoint2dArray* range,
                                     bool* decidedByEndRay) const {
  if (decidedByEndRay != nullptr) *decidedByEndRay = false;
  const XtGeCompositeCurve2d* part = &composite_;
  XtGeCompositeCurve2d restricted;
  if (range != nullptr && range->length() > 1) {
    double a = composite_.paramOf(range->first());
    double b = composite_.paramOf(range->last());
    if (a > b) std::swap(a, b);
    restricted = composite_;
    if (restricted.setInterval(XtGeInterval(a, b))) part = &restricted;
  }
  const double threshold = workTolFine.equalPoint();
  const auto isLeft = [&](const XtGePoint2d& onCurve, const XtGeVector2d& tangent) {
    return (onCurve - p).crossProduct(tangent.normal(kExact)) > threshold;
  };

  XtGePoint2d nearest;
  XtGeVector2d tangent;
  XtGeVector2d second;
  if (!part->xtEvalDerivs(part->paramOf(p, XtGeContext::gTol), nearest, tangent, second)) return false;
  bool left = isLeft(nearest, tangent);
  double nearestDistance = p.distanceTo(nearest);

  XtGeInterval interval;
  part->getInterval(interval);
  for (const bool atStart : {true, false}) {
    const double t = atStart ? interval.lowerBound() : interval.upperBound();
    XtGePoint2d end;
    XtGeVector2d endTangent;
    if (!part->xtEvalDerivs(t, end, endTangent, second) || endTangent.isZeroLength(kExact)) continue;
    const XtGeRay2d ray(end, atStart ? -endTangent : endTangent);
    if (rayMeetsOtherPieces(*part, ray, part->pieceIndexAt(t))) continue;
    const XtGePoint2d onRay = ray.closestPointTo(p, XtGeContext::gTol);
    const double distance = p.distanceTo(onRay);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      left = isLeft(onRay, endTangent);
      if (decidedByEndRay != nullptr) *decidedByEndRay = true;
    }
  }
  return left;
}
