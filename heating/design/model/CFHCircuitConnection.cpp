// The distribution connection of a circuit: its supply and return pipes
// beside the centre line the user drew, and the zone's pipe ends.
#include "heating/design/model/CFHCircuit.h"

#include "heating/design/model/CFHPipeNetwork.h"
#include "heating/design/zones/CFHZoneDesign.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

namespace {

// A pipe beside a centre line that ends on a slanted wall stops short of the
// wall: its end next to `point` is prolonged (up to `reach`) to where it
// meets the working loop, nearest to that end.
void prolongToBoundary(CFloorHeatingCurve& pipe, const CFHZoneBoundary& boundary, const XtGePoint2d& point,
                       double reach) {
  std::vector<CFHZoneCrossing> crossings;
  if (boundary.curveCrossings(pipe, crossings) > 0) return;
  const bool atEnd = pipe.endPoint().distanceTo(point) <= pipe.startPoint().distanceTo(point);
  XtGeLineSeg2d probe;
  if (!(atEnd ? extensionSegmentAtEnd(pipe, reach, probe) : extensionSegmentAtStart(pipe, reach, probe))) return;
  const CFloorHeatingLine line(probe, 1);
  if (boundary.curveCrossings(line, crossings) == 0) return;
  const XtGePoint2d end = atEnd ? pipe.endPoint() : pipe.startPoint();
  XtGePoint2d nearest = crossings.front().point;
  for (const CFHZoneCrossing& crossing : crossings)
    if (crossing.point.distanceTo(end) < nearest.distanceTo(end)) nearest = crossing.point;
  if (atEnd)
    pipe.setEndPoints(pipe.startPoint(), nearest);
  else
    pipe.setEndPoints(nearest, pipe.endPoint());
}

// Cuts the pipe where it meets the zone's working loop nearest to `point`
// and turns it to run from there to its far end; answers the new start.
bool cutAtBoundary(CFloorHeatingCurve& pipe, const CFHZoneBoundary& boundary, const XtGePoint2d& point,
                   XtGePoint2d& cut) {
  if (!boundary.nearestIntersection(pipe, point, cut, false)) return false;
  if (cut.distanceTo(pipe.endPoint()) <= cut.distanceTo(pipe.startPoint())) {
    pipe.setEndPoints(pipe.startPoint(), cut);
    pipe.reverse();
  } else {
    pipe.setEndPoints(cut, pipe.endPoint());
  }
  return true;
}

}  // namespace

bool CFHCircuit::connectPipe(CFloorHeatingCurve& line, double d, const std::vector<XtGeLineSeg2d>& outline,
                             CFHZoneDesign& design, const XtGePoint2d& point, bool trim) {
  clearPipes();
  centreLine = &line;
  XtGePoint2d crossing;
  if (!firstOutlineHit(line, outline, manifoldConnectionTol, crossing)) return false;
  CFloorHeatingCurve::Ptr pipes[2] = {line.offsetCopy(-0.5 * d), line.offsetCopy(0.5 * d)};
  if (!pipes[0] || !pipes[1]) return false;
  XtGePoint2d ends[2];
  for (int i = 0; i < 2; ++i) {
    CFloorHeatingCurve& pipe = *pipes[i];
    if (trim) {
      if (design.boundary() == nullptr) return false;
      // Far enough for a wall at some 80 degrees to the pipe.
      prolongToBoundary(pipe, *design.boundary(), point, 6.0 * d);
      if (!cutAtBoundary(pipe, *design.boundary(), point, ends[i])) return false;
    } else {
      const bool startNearer =
          distanceToOutline(outline, pipe.startPoint()) <= distanceToOutline(outline, pipe.endPoint());
      ends[i] = startNearer ? pipe.startPoint() : pipe.endPoint();
    }
  }
  setPipes(std::move(pipes[0]), std::move(pipes[1]));
  design.setPipeEnd1(ends[0]);
  design.setPipeEnd2(ends[1]);
  return true;
}
