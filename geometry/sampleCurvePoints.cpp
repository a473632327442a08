#include "geometry/sampleCurvePoints.h"

#include "geometry/clipCurveToFrame.h"
#include "geometry/curveCopying.h"
#include "geometry/releasePtrArray.h"

#include <cmath>

namespace {

bool boxInside(const XtGePoint2d& innerMin, const XtGePoint2d& innerMax, const XtGePoint2d& outerMin,
               const XtGePoint2d& outerMax) {
  return innerMin.x >= outerMin.x && innerMin.y >= outerMin.y && innerMax.x <= outerMax.x &&
         innerMax.y <= outerMax.y;
}

bool samplingStillValid(const GDI::buffer_curve& buffer, const GDI::canvas& view) {
  return buffer.cacheValid != 0 && buffer.deviation >= view.deviationLower * view.viewScale &&
         buffer.deviation <= view.deviationUpper * view.viewScale &&
         boxInside(view.visibleMin, view.visibleMax, buffer.visibleMin, buffer.visibleMax);
}

void appendRun(const XtGeCurve2d& piece, double deviation, GDI::buffer_curve& buffer,
               XtGePoint2dArray& scratch) {
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  if (!iv.isBounded()) return;
  if (piece.type() == XtGe::kLineSeg2d) {
    buffer.points.append(piece.xtEvalPoint(iv.lowerBound()));
    buffer.points.append(piece.xtEvalPoint(iv.upperBound()));
  } else {
    piece.getSamplePoints(iv.lowerBound(), iv.upperBound(), deviation, scratch);
    if (scratch.isEmpty()) return;
    buffer.points.append(scratch);
  }
  buffer.runEnds.append(buffer.points.length());
}

void dashRuns(const lineDashPattern& dashes, double dashScale, GDI::buffer_curve& buffer) {
  int begin = 0;
  for (const int end : buffer.runEnds) {
    double along = 0.0;
    for (int k = begin; k + 1 < end; ++k) {
      const double from = along;
      along += buffer.points[k].distanceTo(buffer.points[k + 1]);
      dashSegmentByPattern(dashes, buffer.points[k], buffer.points[k + 1], from, along, dashScale,
                           buffer.dashPoints);
    }
    begin = end;
  }
}

}  // namespace

void sampleCurvePoints(GDI::buffer_curve& buffer, const XtGeCurve2d* curve,
                       const GDI::linetypePattern& pattern, const lineDashPattern* dashes,
                       double dashScale, GDI::canvas& view) {
  if (samplingStillValid(buffer, view)) return;
  buffer.clear();
  buffer.cacheValid = 0;
  const double deviation = view.viewScale * (view.deviationLower + view.deviationUpper) * 0.5;
  if (!(deviation > 0.0) || !std::isfinite(deviation)) return;
  buffer.deviation = deviation;
  buffer.visibleMin = view.visibleMin;
  buffer.visibleMax = view.visibleMax;
  ++view.resampleCount;

  if (curve != nullptr) {
    curvePtrArray pieces;
    if (view.plainCopies || view.frame.frame.numCurves() == 0) {
      XtGeCurve2d* copy = copyCurve2d(curve);
      if (copy != nullptr && pieces.append(copy) < 0) delete copy;
    } else {
      clipCurveToFrame(*curve, view.frame.frame, pieces);
    }
    XtGePoint2dArray scratch;
    for (const XtGeCurve2d* piece : pieces)
      if (piece != nullptr) appendRun(*piece, deviation, buffer, scratch);
    releasePtrArray(pieces);
  }

  if (!view.viewMatrix.isIdentity(XtGeTol(0.0, 0.0)))
    for (XtGePoint2d& p : buffer.points) p.transformBy(view.viewMatrix);

  if (dashes != nullptr && pattern.elementCount > 0 &&
      pattern.length / pattern.elementCount > 0.5 * view.minSpacing)
    dashRuns(*dashes, dashScale, buffer);
  buffer.cacheValid = 1;
}

void sampleCurvePoints(GDI::curve& item, GDI::canvas& view, const lineDashPattern* dashes) {
  GDI::buffer_curve* buffer = item.paintBuffer();
  if (buffer == nullptr) return;
  sampleCurvePoints(*buffer, item.geCurve.get(), item.pattern, dashes,
                    item.hasScale ? item.scale : 1.0, view);
}
