#include "geometry/curveClassification.h"

#include "geometry/Tolerances.h"
#include "geometry/probeCrossings.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <cmath>

namespace {

// The probe runs towards a point this far beyond the bound block's maximum
// corner in X and in Y.
constexpr double kProbeOffset = 0.12341234;

// The parameter of sample i of n equal steps over [lo, hi], the last one
// exactly at hi.
double sampleParam(double lo, double hi, int i, int n) {
  return i == n - 1 ? hi : lo + (hi - lo) * static_cast<double>(i) / static_cast<double>(n - 1);
}

}  // namespace

int classifyPointInCurve(const XtGePoint2d& point, const XtGeCurve2d& closedCurve) {
  if (!point.isFinite()) return kPositionOutside;
  if (closedCurve.isOn(point, workTol)) return kPositionOn;
  const XtGeBoundBlock2d box = closedCurve.xtOrthoBoundBlock();
  if (box.isEmpty() || !box.contains(point)) return kPositionOutside;
  const XtGePoint2d corner = box.maxPoint();
  XtGeVector2d direction(1.0, 1.0);
  if (corner.isFinite()) {
    const XtGePoint2d far(corner.x + kProbeOffset, corner.y + kProbeOffset);
    direction = far - point;
  }
  probeCrossings probe(point, direction);
  probe.addCurve(closedCurve);
  return probe.crossings() % 2 == 1 ? kPositionInside : kPositionOutside;
}

int classifyCurveInCurve(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve) {
  XtGePoint2d end;
  if (curve.hasStartPoint(end)) {
    const int answer = classifyPointInCurve(end, closedCurve);
    if (answer != kPositionOn) return answer;
  }
  if (curve.hasEndPoint(end)) {
    const int answer = classifyPointInCurve(end, closedCurve);
    if (answer != kPositionOn) return answer;
  }
  XtGeInterval iv;
  curve.getInterval(iv);
  if (!iv.isBounded()) return kPositionOn;
  const double lo = iv.lowerBound();
  const double hi = iv.upperBound();
  // Five samples (ends included), then six without their two ends. Each
  // pass counts its votes from zero.
  for (const int n : {5, 6}) {
    int outside = 0;
    int inside = 0;
    for (int i = 0; i < n; ++i) {
      if (n == 6 && (i == 0 || i == n - 1)) continue;
      const int answer = classifyPointInCurve(curve.xtEvalPoint(sampleParam(lo, hi, i, n)), closedCurve);
      if (answer == kPositionOutside) ++outside;
      if (answer == kPositionInside) ++inside;
      if (inside >= 3) return kPositionInside;
      if (outside >= 3) return kPositionOutside;
    }
  }
  return kPositionOn;
}

bool curveSetDetail::pointOnOrCrossings(const XtGePoint2d& point, const XtGeCurve2d& curve,
                                        bool& odd) {
  if (curve.isOn(point, XtGeContext::gTol)) return true;
  XtGeInterval iv;
  curve.getInterval(iv);
  if (iv.isBounded()) {
    // The curve is walked along the ray's line, so that an edge lying along
    // the ray or a vertex it grazes counts as the crossing it is (or is
    // not); intersection points alone cannot tell. An open curve is one of
    // the loose pieces of a boundary, whose ends on the ray count by the
    // side of the shared point (pieces joined within workTol).
    probeCrossings probe(point, XtGeVector2d::kXAxis);
    int n = 0;
    if (curve.xtIsClosed(workTol)) {
      probe.addCurve(curve);
      n = probe.crossings();
    } else {
      probe.addOpenCurve(curve, workTol.equalPoint());
      n = probe.crossingsOfOpenChain();
    }
    if (n % 2 == 1) odd = !odd;
    return false;
  }
  const XtGeRay2d ray(point, XtGeVector2d::kXAxis);
  const XtGeCurveCurveInt2d hits(ray, curve, workTol);
  for (int i = 0; i < hits.numIntPoints(); ++i)
    if (!hits.isTangential(i)) odd = !odd;
  return false;
}

int classifyPointInCurveSet(const XtGePoint2d& point, std::span<const XtGeCurve2d* const> curves) {
  return classifyPointInCurveSet(point, curves, [](const XtGeCurve2d* c) { return c; });
}

bool rayCrossingCount(const XtGePoint2d& point, const XtGeCurve2d& curve) {
  // An overlap is one crossing only where the curve passes from one side
  // of the ray to the other across it; a ray that overlaps the curve is
  // rejected for the next one. Only when all four do, the last one counts.
  const XtGeVector2d rays[] = {XtGeVector2d::kXAxis, XtGeVector2d::kYAxis, -XtGeVector2d::kXAxis,
                               -XtGeVector2d::kYAxis};
  XtGeCurveCurveInt2d hits;
  for (const XtGeVector2d& direction : rays) {
    hits.set(XtGeRay2d(point, direction), curve, XtGeContext::gTol);
    if (hits.overlapCount() == 0) break;
  }
  int count = hits.overlapCount();
  for (int i = 0; i < hits.numIntPoints(); ++i)
    if (!hits.isTangential(i)) ++count;
  return count % 2 == 1;
}

bool vectorsOnSameSide(const XtGeVector2d& a, const XtGeVector2d& b, const XtGeVector2d& c) {
  // (c x a) . (b x a) of the vectors lifted to z = 0: only the z parts remain.
  return c.crossProduct(a) * b.crossProduct(a) > 0.0;
}

bool hasThreeOrFourSegments(const XtGeCurve2d& curve) {
  if (curve.type() != XtGe::kCompositeCrv2d) return false;
  const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
  const int n = composite.numCurves();
  if (n != 3 && n != 4) return false;
  for (int i = 0; i < n; ++i) {
    const XtGeCurve2d* piece = composite.curveAt(i);
    if (piece == nullptr || piece->type() != XtGe::kLineSeg2d) return false;
  }
  return true;
}

bool findPointIndex(const XtGePoint2dArray& points, const XtGePoint2d& point, const XtGeTol& tol,
                    int& index) {
  const int found = points.find(point, tol);
  if (found < 0) return false;
  index = found;
  return true;
}
