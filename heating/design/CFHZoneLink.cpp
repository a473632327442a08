// The link of a zone to the zone before it in its circuit: where their walls
// face each other near the link point, this zone's two pipe ends and the
// previous zone's two exit points.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/layout/IntervalCurveMaps.h"
#include "heating/layout/LayoutRayCast.h"
#include "heating/layout/LoopPointRays.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"

#include <algorithm>

namespace {

// Leaves of the facing spans of one zone what the link may use: not within
// the zone's first offset of a wall's ends, not within 2 × pitch of a
// distribution pipe crossing the wall, each span shortened by pitch / 2.
void keepUsableSpans(const CFHIntervalCurveMap& map, const CFHZoneDesign& design, double pitch) {
  markEndPointsOnIntervalCurves(map, design.firstOffset());
  // The network's pipes change only while no job runs, so the job may read
  // them here.
  markCrossingsOnIntervalCurves(map, design.owner()->model()->pipeNetwork().pipeCurves(), 2.0 * pitch);
  setIntervalCurvesValue(map, 0.5 * pitch);
  resetIntervalCurves(map);
}

// The point of the map's kept spans nearest to `near`, projected onto the
// zone's working loop.
bool facingPoint(const CFHIntervalCurveMap& map, const CFHZoneBoundary& boundary, const XtGePoint2d& near,
                 CLoopPoint& out) {
  XtGePoint2d nearest;
  CFHIntervalCurve* intervalCurve = nullptr;
  return nearestOnIntervalCurves(map, near, nearest, intervalCurve) &&
         boundary.workingLoop.closestPoint(nearest, out, workTol);
}

}  // namespace

bool CFHZoneDesign::linkToPrevious(CFHZoneDesign& previous, CFHZoneDesign& design, const XtGePoint2d& linkPoint,
                                   double pitch) {
  const CFHZoneBoundary* before = previous.boundary();
  const CFHZoneBoundary* own = design.boundary();
  if (&previous == &design || before == nullptr || own == nullptr) return false;

  CFHIntervalCurveList beforeCurves;
  CFHIntervalCurveList ownCurves;
  buildIntervalCurves(before->asDrawnLoop.elements, beforeCurves);
  buildIntervalCurves(own->asDrawnLoop.elements, ownCurves);
  const CFHIntervalCurveMap beforeMap = intervalCurveMapOf(beforeCurves);
  const CFHIntervalCurveMap ownMap = intervalCurveMapOf(ownCurves);
  CFHIntervalCurveMap castCopy = ownMap;  // the cast empties it
  layoutRayCast(beforeMap, castCopy, 0.01 * usableDrawingUnitFactor());
  keepUsableSpans(beforeMap, previous, pitch);
  keepUsableSpans(ownMap, design, pitch);

  CLoopPoint p;
  CLoopPoint q;
  if (!facingPoint(beforeMap, *before, linkPoint, p) || !facingPoint(ownMap, *own, linkPoint, q)) return false;
  if (buildLink(previous, p, design, q, pitch)) return true;

  // Second try: the point nearer the end of its wall is moved to where the
  // other wall's normal ray from the other point meets its wall.
  const double dp = nearestOwnerEndDistance(p);
  const double dq = nearestOwnerEndDistance(q);
  if (dp == dq) return false;
  XtGePoint2d hit;
  if (dq > dp) {
    if (!firstNormalRayHit(p, q, hit) || !own->workingLoop.closestPoint(hit, q, workTol)) return false;
  } else {
    if (!firstNormalRayHit(q, p, hit) || !before->workingLoop.closestPoint(hit, p, workTol)) return false;
  }
  return buildLink(previous, p, design, q, pitch);
}

bool CFHZoneDesign::buildLink(CFHZoneDesign& previous, const CLoopPoint& p, CFHZoneDesign& design,
                              const CLoopPoint& q, double pitch) {
  const CFHZoneBoundary* before = previous.boundary();
  const CFHZoneBoundary* own = design.boundary();
  const CFHPipeEnd* end1 = previous.pipeEnd(0);
  const CFHPipeEnd* end2 = previous.pipeEnd(1);
  if (&previous == &design || before == nullptr || own == nullptr || end1 == nullptr || end2 == nullptr) return false;
  const CFHBoundLoop& loop = before->workingLoop;
  CLoopPoint e1;
  CLoopPoint e2;
  if (!loop.notifyItemsOn(end1->point, e1, workTol) || !loop.notifyItemsOn(end2->point, e2, workTol)) return false;

  const double h = 0.5 * pitch;
  CLoopPoint p1, p2, q1, q2;
  if (!loop.walkFrom(p, true, h, p1, workTol) || !loop.walkFrom(p, false, h, p2, workTol) ||
      !own->workingLoop.walkFrom(q, true, h, q1, workTol) || !own->workingLoop.walkFrom(q, false, h, q2, workTol))
    return false;

  // Crosswise pairing: each point of the previous zone with the nearer
  // point of this zone, and both must agree.
  const double d11 = p1.point.distanceTo(q1.point);
  const double d12 = p1.point.distanceTo(q2.point);
  const double d21 = p2.point.distanceTo(q1.point);
  const double d22 = p2.point.distanceTo(q2.point);
  const CLoopPoint* partner1 = nullptr;  // of p1
  const CLoopPoint* partner2 = nullptr;  // of p2
  if (d11 < d12 && d22 < d21) {
    partner1 = &q1;
    partner2 = &q2;
  } else if (d12 < d11 && d21 < d22) {
    partner1 = &q2;
    partner2 = &q1;
  } else {
    return false;
  }

  // Exit 1 is the point met first on the way from pipe end 1 to pipe end 2
  // that holds both points.
  auto onTheWay = [&](const CLoopPoint& x, bool forward) {
    return loop.comparePathLength(e1, e2, forward, x, false, workTol);
  };
  const CLoopPoint* exit1 = nullptr;
  const CLoopPoint* exit2 = nullptr;
  if (onTheWay(p1, true) && onTheWay(p2, true)) {
    exit1 = &p2;
    exit2 = &p1;
  } else if (onTheWay(p1, false) && onTheWay(p2, false)) {
    exit1 = &p1;
    exit2 = &p2;
  } else {
    return false;
  }
  const CLoopPoint* start = exit1 == &p1 ? partner1 : partner2;
  const CLoopPoint* finish = exit1 == &p1 ? partner2 : partner1;

  // Nothing is stored unless everything can be: a busy zone refuses.
  if (previous.isBusy() || design.isBusy()) return false;
  design.setPipeEnd1(start->point);
  design.setPipeEnd2(finish->point);
  previous.setExitEnd1(exit1->point);
  previous.setExitEnd2(exit2->point);
  return true;
}

bool CFHCircuit::linkToPreviousZone(CFHZoneEntry* zone) {
  const auto found = std::find(zones_.begin(), zones_.end(), zone);
  if (zone == nullptr || found == zones_.end() || found == zones_.begin()) return false;
  CFHZoneDesign* previous = (*(found - 1))->design();
  CFHZoneDesign* design = zone->design();
  if (previous == nullptr || design == nullptr) return false;
  return CFHZoneDesign::linkToPrevious(*previous, *design, design->linkPoint(), model_->pipeNetwork().pipePitch);
}
