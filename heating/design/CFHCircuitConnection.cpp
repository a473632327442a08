// The distribution connection of a circuit: its supply and return pipes
// beside the centre line the user drew, and the zone's pipe ends.
#include "heating/design/CFHCircuit.h"

#include "heating/design/CFHPipeNetwork.h"
#include "heating/design/CFHZoneDesign.h"

#include "geometry/Tolerances.h"

namespace {

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
      if (design.boundary() == nullptr || !cutAtBoundary(pipe, *design.boundary(), point, ends[i])) return false;
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
