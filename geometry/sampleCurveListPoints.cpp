#include "geometry/sampleCurveListPoints.h"

#include "geometry/curveCopying.h"
#include "geometry/curveExtents.h"
#include "geometry/curveSplitting.h"
#include "geometry/forEachSimplePiece.h"

#include <cmath>

namespace {

bool samplingStillValid(const GDI::solid& item, const GDI::canvas& view) {
  return item.valid && item.samplingScale >= view.viewScale * view.deviationLower &&
         item.samplingScale <= view.viewScale * view.deviationUpper && item.extents.contains(view.visibleMin) &&
         item.extents.contains(view.visibleMax);
}

// Adds the curve's rings to the item: as a composite of its own, or the
// closed curves of its common region with the frame.
void addRings(const XtGeCurve2d& curve, const GDI::canvas& view, GDI::solid& item) {
  curvePtrArray rings;
  if (view.plainCopies || view.frame.frame.numCurves() == 0) {
    XtGeCurve2d* copy = copyCurve2d(&curve);
    if (copy != nullptr && rings.append(copy) < 0) delete copy;
  } else {
    splitCurvesAtIntersections(curve, view.frame.frame, rings, false);
  }
  for (XtGeCurve2d*& ring : rings) {
    std::unique_ptr<XtGeCompositeCurve2d> composite = asComposite(std::unique_ptr<XtGeCurve2d>(ring));
    ring = nullptr;
    if (composite) item.rings.push_back(std::move(composite));
  }
}

// Appends the ring's points, every joint once: the last point of every
// piece but the last is dropped.
void appendRing(const XtGeCompositeCurve2d& ring, double chordTolerance, XtGePoint2dArray& points,
                XtGePoint2dArray& scratch) {
  const XtGeCurve2d* lastPiece = nullptr;
  forEachSimplePiece(ring, [&](const XtGeCurve2d& piece) {
    lastPiece = &piece;
    return true;
  });
  forEachSimplePiece(ring, [&](const XtGeCurve2d& piece) {
    XtGeInterval iv(XtGe::kIntervalTol);
    piece.getInterval(iv);
    if (!iv.isBounded()) return true;
    piece.getSamplePoints(iv.lowerBound(), iv.upperBound(), chordTolerance, scratch);
    const int keep = &piece == lastPiece ? scratch.length() : scratch.length() - 1;
    for (int k = 0; k < keep; ++k) points.append(scratch[k]);
    return true;
  });
}

}  // namespace

void sampleCurveListPoints(GDI::solid& item, GDI::canvas& view, const curvePtrArray& curves) {
  if (samplingStillValid(item, view)) return;
  item.reset();
  const double meanFactor = 0.5 * (view.deviationLower + view.deviationUpper);
  const double scale = view.viewScale * meanFactor;
  const double chordTolerance = meanFactor * scale;
  if (!(scale > 0.0) || !std::isfinite(scale) || !(chordTolerance > 0.0) || !std::isfinite(chordTolerance)) return;
  item.samplingScale = scale;
  if (view.samplingValid) item.extents.set(view.samplingMin, view.samplingMax);
  item.valid = view.samplingValid;
  ++view.resampleCount;

  item.rings.clear();
  for (const XtGeCurve2d* curve : curves)
    if (curve != nullptr) addRings(*curve, view, item);
  XtGePoint2dArray scratch;
  for (std::size_t r = 0; r < item.rings.size(); ++r) {
    const bool bridged = r > 0 && !item.points.isEmpty();
    const XtGePoint2d before = bridged ? item.points[item.points.length() - 1] : XtGePoint2d();
    appendRing(*item.rings[r], chordTolerance, item.points, scratch);
    // Back to where the rings before this one ended, so that one point list
    // holds them all.
    if (bridged) item.points.append(before);
  }
  if (item.transform)
    for (XtGePoint2d& p : item.points) p.transformBy(*item.transform);
}

void resetCurveCache(GDI::curve& item) {
  if (GDI::buffer_curve* buffer = item.paintBuffer()) {
    buffer->deviation = 0.0;
    buffer->cacheValid = 0;
  }
  if (!item.geCurve) return;
  curveExtentsRec extents;
  addCurveExtents(*item.geCurve, extents, false);
  item.extentsMin = extents.min;
  item.extentsMax = extents.max;
  item.extentsValid = extents.valid;
}
