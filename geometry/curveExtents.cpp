#include "geometry/curveExtents.h"

#include "geometry/Tolerances.h"
#include "geometry/savedTolerance.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>

namespace {

// Sets the record to the box of the two corners, or widens it by them.
void mergeCorners(const XtGePoint2d& a, const XtGePoint2d& b, curveExtentsRec& extents, bool extend) {
  const XtGePoint2d lo(std::min(a.x, b.x), std::min(a.y, b.y));
  const XtGePoint2d hi(std::max(a.x, b.x), std::max(a.y, b.y));
  if (extend && extents.valid) {
    extents.min.x = std::min(extents.min.x, lo.x);
    extents.min.y = std::min(extents.min.y, lo.y);
    extents.max.x = std::max(extents.max.x, hi.x);
    extents.max.y = std::max(extents.max.y, hi.y);
    return;
  }
  extents.min = lo;
  extents.max = hi;
  extents.valid = true;
}

// The box of the curve's four extreme points: the points closest to the
// horizontal and vertical lines through the corners of its orthogonal box.
bool extremePointBox(const XtGeCurve2d& curve, XtGePoint2d& lo, XtGePoint2d& hi) {
  const XtGeBoundBlock2d block = curve.orthoBoundBlock();
  XtGePoint2d boxMin;
  XtGePoint2d boxMax;
  if (!block.getMinMaxPoints(boxMin, boxMax)) return false;
  savedTolerance kept;
  XtGeContext::gTol = XtGeTol(boxMin.distanceTo(boxMax) * 1e-10, 0.0);
  const XtGeLine2d lines[4] = {{boxMin, XtGeVector2d::kXAxis},
                               {boxMin, XtGeVector2d::kYAxis},
                               {boxMax, XtGeVector2d::kXAxis},
                               {boxMax, XtGeVector2d::kYAxis}};
  for (int i = 0; i < 4; ++i) {
    XtGePoint2d onLine;
    const XtGePoint2d p = curve.closestPointTo(lines[i], onLine, workTol);
    if (i == 0) {
      lo = p;
      hi = p;
    } else {
      lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y));
      hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y));
    }
  }
  return true;
}

}  // namespace

void addCurveExtents(const XtGePoint2d& position, curveExtentsRec& extents, bool extend) {
  mergeCorners(position, position, extents, extend);
}

void addCurveExtents(const XtGeCurve2d& curve, curveExtentsRec& extents, bool extend) {
  if (curve.type() == XtGe::kLineSeg2d) {
    const auto& segment = static_cast<const XtGeLineSeg2d&>(curve);
    mergeCorners(segment.startPoint(), segment.endPoint(), extents, extend);
    return;
  }
  XtGeInterval interval;
  curve.getInterval(interval);
  if (!interval.isBounded()) {
    extents.valid = false;
    return;
  }
  if (curve.type() == XtGe::kCompositeCrv2d) {
    const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
    curveExtentsRec local;  // the first piece sets it, the others widen it
    for (int i = 0; i < composite.numCurves(); ++i) addCurveExtents(*composite.curveAt(i), local, true);
    if (local.valid) mergeCorners(local.min, local.max, extents, extend);
    return;
  }
  XtGePoint2d lo;
  XtGePoint2d hi;
  if (!extremePointBox(curve, lo, hi)) {
    extents.valid = false;
    return;
  }
  mergeCorners(lo, hi, extents, extend);
}
