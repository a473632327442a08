#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "heating/design/model/CFHPipeNetwork.h"
#include "heating/curves/CurveRegistryLock.h"

#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include <shared_mutex>
#include <vector>

namespace {

void appendSegmentEnds(const CFloorHeatingCurve& curve, std::vector<XtGePoint2d>& ends) {
  if (curve.kind() == CFloorHeatingCurve::kLine) {
    ends.push_back(curve.startPoint());
    ends.push_back(curve.endPoint());
    return;
  }
  const auto* polyline = dynamic_cast<const CFloorHeatingPolyLine*>(&curve);
  if (polyline == nullptr) return;
  const XtGeCompositeCurve2d& composite = polyline->composite();
  for (int i = 0; i < composite.numCurves(); ++i) {
    const XtGeCurve2d& piece = *composite.curveAt(i);
    if (piece.type() != XtGe::kLineSeg2d) continue;
    const auto& segment = static_cast<const XtGeLineSeg2d&>(piece);
    ends.push_back(segment.startPoint());
    ends.push_back(segment.endPoint());
  }
}

}  // namespace

XtGePoint2dArray& zoneBoundarySegmentPoints(const CFHPipeNetwork& network, XtGePoint2dArray& points) {
  std::vector<XtGePoint2d> ends;
  {
    // Shared: design threads reading at once do not wait for each other.
    std::shared_lock lock(curveRegistryLock());
    for (const CFloorHeatingCurve* curve : network.pipeCurves())
      if (curve != nullptr) appendSegmentEnds(*curve, ends);
  }
  points.setLogicalLength(0);
  for (const XtGePoint2d& p : ends) addPointIfNew(points, p, workTol);
  return points;
}
