// Routing the distribution pipes: one circuit per pipe, from the manifold
// outline to the zone the pipe reaches.
#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <optional>

namespace {

bool meetsSegment(const CFloorHeatingCurve& curve, const XtGeLineSeg2d& segment, const XtGeTol& tol,
                  XtGePoint2d& hit) {
  const XtGeCurveCurveInt2d meeting(segment, curve.geCurve(), tol);
  if (meeting.numIntPoints() < 1) return false;
  hit = meeting.intPoint(0);
  return true;
}

// Moves the start (atStart) or the end of the curve to the point.
void moveEndTo(CFloorHeatingCurve& curve, bool atStart, const XtGePoint2d& point) {
  if (atStart)
    curve.setEndPoints(point, curve.endPoint());
  else
    curve.setEndPoints(curve.startPoint(), point);
}

// The pipe end within `snap` of X and nearer to it than the other end moves
// onto X.
void snapEndOnto(CFloorHeatingCurve& pipe, const XtGePoint2d& x, double snap) {
  const double fromStart = pipe.startPoint().distanceTo(x);
  const double fromEnd = pipe.endPoint().distanceTo(x);
  if (fromStart <= snap && fromStart < fromEnd)
    moveEndTo(pipe, true, x);
  else if (fromEnd <= snap && fromEnd < fromStart)
    moveEndTo(pipe, false, x);
}

// Where the pipe leaves the manifold: the hit of its prolongation beyond the
// start (beyond the end) on a segment the pipe does not meet itself; the
// nearer to X when both exist; X when neither does.
XtGePoint2d outletPoint(const CFloorHeatingCurve& pipe, const std::vector<XtGeLineSeg2d>& outline,
                        const XtGePoint2d& x, double probeLength) {
  XtGeLineSeg2d probes[2];
  const bool hasProbe[2] = {extensionSegmentAtStart(pipe, probeLength, probes[0]),
                            extensionSegmentAtEnd(pipe, probeLength, probes[1])};
  std::optional<XtGePoint2d> candidates[2];
  for (const XtGeLineSeg2d& segment : outline) {
    XtGePoint2d hit;
    if (meetsSegment(pipe, segment, workTol, hit)) continue;
    for (int k = 0; k < 2; ++k) {
      if (!candidates[k] && hasProbe[k] && probes[k].intersectWith(segment, hit, workTol)) candidates[k] = hit;
    }
  }
  if (!candidates[0]) return candidates[1].value_or(x);
  if (candidates[1] && candidates[1]->distanceTo(x) < candidates[0]->distanceTo(x)) return *candidates[1];
  return *candidates[0];
}

bool isReached(const std::vector<const CFHZoneEntry*>& reached, const CFHZoneEntry* zone) {
  return std::find(reached.begin(), reached.end(), zone) != reached.end();
}

// The first zone whose as-drawn loop holds an end of the pipe (the start
// tried first), which end, and that end snapped onto the loop.
CFHZoneEntry* zoneAtPipeEnd(const std::vector<std::unique_ptr<CFHZoneEntry>>& zones, const CFloorHeatingCurve& pipe,
                            bool& atStart, XtGePoint2d& onLoop) {
  for (const auto& zone : zones) {
    const CFHZoneBoundary* boundary = zone->design()->boundary();
    if (boundary == nullptr) continue;
    for (const bool start : {true, false}) {
      XtGePoint2d end = start ? pipe.startPoint() : pipe.endPoint();
      if (!boundary->isOnLoop(end, true)) continue;
      atStart = start;
      onLoop = end;
      return zone.get();
    }
  }
  return nullptr;
}

// The first zone entered by the pipes that holds one end of the pipe inside
// and none outside.
CFHZoneEntry* zoneAroundPipe(const std::vector<std::unique_ptr<CFHZoneEntry>>& zones,
                             const CFloorHeatingCurve& pipe) {
  for (const auto& zone : zones) {
    const CFHZoneBoundary* boundary = zone->design()->boundary();
    if (boundary == nullptr || zone->pipesRunInto == 0) continue;
    const int start = boundary->asDrawnLoop.classifyPoint(pipe.startPoint(), workTol);
    const int end = boundary->asDrawnLoop.classifyPoint(pipe.endPoint(), workTol);
    if (start != CLoop::kOutside && end != CLoop::kOutside && (start == CLoop::kInside || end == CLoop::kInside))
      return zone.get();
  }
  return nullptr;
}

}  // namespace

bool firstOutlineHit(const CFloorHeatingCurve& curve, const std::vector<XtGeLineSeg2d>& outline, const XtGeTol& tol,
                     XtGePoint2d& hit) {
  for (const XtGeLineSeg2d& segment : outline)
    if (meetsSegment(curve, segment, tol, hit)) return true;
  return false;
}

double distanceToOutline(const std::vector<XtGeLineSeg2d>& outline, const XtGePoint2d& point) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const XtGeLineSeg2d& segment : outline) nearest = std::min(nearest, segment.distanceTo(point));
  return nearest;
}

void sortPointsByDistance(std::vector<CFloorHeatingCurve*>& pipes, std::vector<double>& distances,
                          std::vector<XtGePoint2d>& points) {
  if (pipes.size() != distances.size() || pipes.size() != points.size()) return;
  std::vector<std::size_t> order(pipes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return distances[a] < distances[b]; });
  std::vector<CFloorHeatingCurve*> sortedPipes;
  std::vector<double> sortedDistances;
  std::vector<XtGePoint2d> sortedPoints;
  for (const std::size_t i : order) {
    sortedPipes.push_back(pipes[i]);
    sortedDistances.push_back(distances[i]);
    sortedPoints.push_back(points[i]);
  }
  pipes.swap(sortedPipes);
  distances.swap(sortedDistances);
  points.swap(sortedPoints);
}

bool CFHPipeNetwork::outlineReferencePoint(XtGePoint2d& point) const {
  if (outlineSegments.size() < 4) return false;
  constexpr double pi = std::numbers::pi;
  const XtGeLineSeg2d& fourth = outlineSegments[3];
  const double angle = (fourth.endPoint() - fourth.startPoint()).angle();
  point = (angle <= 3 * pi / 4 || angle > 7 * pi / 4 ? outlineSegments[1] : fourth).midPoint();
  return true;
}

int CFHPipeNetwork::route() {
  XtGePoint2d reference;
  if (owner_ == nullptr || !outlineReferencePoint(reference)) return kNotAtManifold;
  CFHModel& model = *owner_;
  model.stopDesignJobs();
  const double snap = manifoldConnectionTol.equalPoint();

  std::vector<CFloorHeatingCurve*> pipes;
  std::vector<double> distances;
  std::vector<XtGePoint2d> outlets;
  for (CFloorHeatingCurve* pipe : pipeCurves_) {
    XtGePoint2d x;
    if (!firstOutlineHit(*pipe, outlineSegments, workTol, x) &&
        !firstOutlineHit(*pipe, outlineSegments, manifoldConnectionTol, x))
      return kNotAtManifold;
    snapEndOnto(*pipe, x, snap);
    pipes.push_back(pipe);
    distances.push_back(x.distanceTo(reference));
    outlets.push_back(outletPoint(*pipe, outlineSegments, x, snap));
  }
  sortPointsByDistance(pipes, distances, outlets);
  if (pipes.size() >= 2) {
    // Touching pipes would leave no room between supply and return.
    const double h = 0.5 * pipes[0]->distanceToCurve(*pipes[1]);
    if (h > workTol.equalPoint()) {
      pipePitch = std::min(pipePitch, h);
      pipePitchLimit = h;
    }
  }

  std::vector<const CFHZoneEntry*> reached;
  for (std::size_t i = 0; i < pipes.size(); ++i) {
    CFloorHeatingCurve& pipe = *pipes[i];
    auto circuit = std::make_unique<CFHCircuit>(&model, static_cast<std::uint32_t>(i + 1));
    bool atStart = false;
    XtGePoint2d end;
    CFHZoneEntry* zone = zoneAtPipeEnd(model.zones(), pipe, atStart, end);
    if (zone != nullptr) {
      if (isReached(reached, zone)) return kZoneFedTwice;
      const CFHZoneBoundary& boundary = *zone->design()->boundary();
      moveEndTo(pipe, atStart, end);
      // Arc walls are chords in the working loop: the pipe stops at the chord.
      XtGePoint2d onWorking;
      if (!boundary.touchesLoop(pipe) && boundary.nearestIntersection(pipe, end, onWorking, false)) {
        moveEndTo(pipe, atStart, onWorking);
        end = onWorking;
      }
      if (!circuit->connectPipe(pipe, pipePitch, outlineSegments, *zone->design(), end, true)) return kNotAtManifold;
    } else {
      zone = zoneAroundPipe(model.zones(), pipe);
      if (zone == nullptr) return kReachesNoZone;
      if (isReached(reached, zone)) return kZoneFedTwice;
      const XtGePoint2d nearManifold = isNotNearer(pipe.startPoint(), pipe.endPoint()) ? pipe.startPoint()
                                                                                       : pipe.endPoint();
      if (!circuit->connectPipe(pipe, pipePitch, outlineSegments, *zone->design(), nearManifold, false))
        return kNotAtManifold;
    }
    const XtGePoint2d& outlet = outlets[i];
    circuit->connectionPoints[0] =
        pipe.startPoint().distanceTo(outlet) > pipe.endPoint().distanceTo(outlet) ? pipe.startPoint() : pipe.endPoint();
    circuit->connectionPoints[1] = outlet;
    circuit->addZone(zone);
    reached.push_back(zone);
    model.appendCircuit(std::move(circuit));
  }

  model.applyPipesToZones();
  model.numberZonesByCircuits();
  model.sortZonesByNumber();
  return kRouted;
}
