// The link of a zone to the zone before it in its circuit: where their walls
// face each other near the link point, this zone's two pipe ends and the
// previous zone's two exit points.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/layout/offsets/IntervalCurveMaps.h"
#include "heating/layout/offsets/LayoutRayCast.h"
#include "heating/layout/offsets/LoopPointRays.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <utility>

namespace {

// How often the walk of a link is widened for walls that do not run
// parallel: each round makes up what the last one lacked (a factor of
// 1 / cos of the walls' angle and a little), so a few are enough.
constexpr int kWidenRounds = 4;
// Two ways through the wall this little under the pitch apart keep it.
constexpr double kPitchSlack = 1e-6;

// The least distance between the segments ab and cd (either may be a
// point: two walls drawn on one line).
double segmentDistance(const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& c, const XtGePoint2d& d) {
  auto toSegment = [](const XtGePoint2d& x, const XtGePoint2d& from, const XtGePoint2d& to) {
    const XtGeVector2d along = to - from;
    const double n = along.dotProduct(along);
    const double t = n > 0.0 ? std::clamp((x - from).dotProduct(along) / n, 0.0, 1.0) : 0.0;
    return x.distanceTo(from + along * t);
  };
  auto side = [](const XtGePoint2d& o, const XtGePoint2d& x, const XtGePoint2d& y) {
    return (x - o).crossProduct(y - o);
  };
  if (side(a, b, c) * side(a, b, d) < 0.0 && side(c, d, a) * side(c, d, b) < 0.0) return 0.0;
  return std::min({toSegment(a, c, d), toSegment(b, c, d), toSegment(c, a, b), toSegment(d, a, b)});
}

// Whether the two loop points lie on a common loop item.
bool sharesItem(const CLoopPoint& a, const CLoopPoint& b) {
  for (const CLoopElement* element : a.links())
    if (b.hasLink(element)) return true;
  return false;
}

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

// The four points of a link: p1 and p2 h either way from P along the
// previous zone's working loop, q1 and q2 likewise from Q along this zone's,
// and which of Q's two goes with each of P's.
struct LinkPoints {
  double h = 0.0;
  CLoopPoint p1, p2, q1, q2;
  bool crossed = false;  // p1 with q2, p2 with q1

  const CLoopPoint& partnerOf1() const { return crossed ? q2 : q1; }
  const CLoopPoint& partnerOf2() const { return crossed ? q1 : q2; }
  // How near the two ways through the wall come to each other.
  double throughDistance() const { return segmentDistance(p1.point, partnerOf1().point, p2.point, partnerOf2().point); }
  // Every point on a wall item of its middle point: no walk turned a corner.
  bool onTheirWalls(const CLoopPoint& p, const CLoopPoint& q) const {
    return sharesItem(p1, p) && sharesItem(p2, p) && sharesItem(q1, q) && sharesItem(q2, q);
  }
};

// Walks h either way from P and from Q and pairs the points crosswise, each
// point of the previous zone with the nearer point of this zone; false when
// a walk fails or the two nearnesses disagree.
bool pairAround(const CLoop& before, const CLoopPoint& p, const CLoop& own, const CLoopPoint& q, double h,
                LinkPoints& out) {
  out.h = h;
  if (!before.walkFrom(p, true, h, out.p1, workTol) || !before.walkFrom(p, false, h, out.p2, workTol) ||
      !own.walkFrom(q, true, h, out.q1, workTol) || !own.walkFrom(q, false, h, out.q2, workTol))
    return false;
  const double d11 = out.p1.point.distanceTo(out.q1.point);
  const double d12 = out.p1.point.distanceTo(out.q2.point);
  const double d21 = out.p2.point.distanceTo(out.q1.point);
  const double d22 = out.p2.point.distanceTo(out.q2.point);
  if (d11 < d12 && d22 < d21) {
    out.crossed = false;
  } else if (d12 < d11 && d21 < d22) {
    out.crossed = true;
  } else {
    return false;
  }
  return true;
}

// A link as it would be stored: the previous zone's exits, this zone's pipe
// ends, and how near its two ways through the wall come to each other.
struct LinkPlan {
  XtGePoint2d exit1, exit2, start, finish;
  double apart = 0.0;

  bool keeps(double pitch) const { return apart >= pitch * (1.0 - kPitchSlack); }
};

// Whether a way through the wall runs over a distribution pipe between the
// two zones (two zones facing each other across a hall): the routed pipes
// lie half the network's pitch either side of the drawn line, and the link
// keeps half its own pitch from them.
bool meetsDistributionPipes(const CFHZoneDesign& design, const LinkPlan& plan, double pitch) {
  const CFHPipeNetwork& network = design.owner()->model()->pipeNetwork();
  const double clearance = 0.5 * (network.pipePitch + pitch);
  const std::pair<XtGePoint2d, XtGePoint2d> ways[] = {{plan.exit1, plan.start}, {plan.finish, plan.exit2}};
  // The network's pipes change only while no job runs (keepUsableSpans).
  for (const CFloorHeatingCurve* pipe : network.pipeCurves()) {
    for (const auto& [from, to] : ways) {
      const double d = from.isEqualTo(to, workTol) ? pipe->distanceTo(from)
                                                   : pipe->geCurve().distanceTo(XtGeLineSeg2d(from, to), workTol);
      if (d < clearance) return true;
    }
  }
  return false;
}

// The link from P and Q: the points half a pitch either way, paired
// crosswise; exit 1 the one met first on the way from the previous zone's
// pipe end 1 to its pipe end 2 that holds both. With `widen`, walls that do
// not run parallel, which bring the two ways through the wall nearer each
// other at one end than the walk apart, get the walk widened by what they
// lack, as long as every point stays on its wall. False when the previous
// zone lacks a pipe end on its working loop, a walk fails, the pairing or
// the order is undecided, or a way through the wall runs over a
// distribution pipe.
bool planLink(const CFHZoneDesign& previous, const CLoopPoint& p, const CFHZoneDesign& design, const CLoopPoint& q,
              double pitch, bool widen, LinkPlan& plan) {
  const CFHZoneBoundary* before = previous.boundary();
  const CFHZoneBoundary* own = design.boundary();
  const CFHPipeEnd* end1 = previous.pipeEnd(0);
  const CFHPipeEnd* end2 = previous.pipeEnd(1);
  if (&previous == &design || before == nullptr || own == nullptr || end1 == nullptr || end2 == nullptr) return false;
  const CFHBoundLoop& loop = before->workingLoop;
  CLoopPoint e1;
  CLoopPoint e2;
  if (!loop.notifyItemsOn(end1->point, e1, workTol) || !loop.notifyItemsOn(end2->point, e2, workTol)) return false;

  LinkPoints link;
  if (!pairAround(loop, p, own->workingLoop, q, 0.5 * pitch, link)) return false;
  for (int round = 0; widen && round < kWidenRounds; ++round) {
    const double apart = link.throughDistance();
    if (!(apart > 0.0) || apart >= pitch * (1.0 - kPitchSlack)) break;
    LinkPoints wider;
    if (!pairAround(loop, p, own->workingLoop, q, link.h * pitch / apart, wider) || !wider.onTheirWalls(p, q)) break;
    link = wider;
  }

  auto onTheWay = [&](const CLoopPoint& x, bool forward) {
    return loop.comparePathLength(e1, e2, forward, x, false, workTol);
  };
  bool firstIsP1 = false;
  if (onTheWay(link.p1, true) && onTheWay(link.p2, true)) {
    firstIsP1 = false;
  } else if (onTheWay(link.p1, false) && onTheWay(link.p2, false)) {
    firstIsP1 = true;
  } else {
    return false;
  }
  plan.exit1 = (firstIsP1 ? link.p1 : link.p2).point;
  plan.exit2 = (firstIsP1 ? link.p2 : link.p1).point;
  plan.start = (firstIsP1 ? link.partnerOf1() : link.partnerOf2()).point;
  plan.finish = (firstIsP1 ? link.partnerOf2() : link.partnerOf1()).point;
  plan.apart = link.throughDistance();
  return !meetsDistributionPipes(design, plan, pitch);
}

// Stores the plan: nothing unless everything can be (a busy zone refuses).
bool storeLink(CFHZoneDesign& previous, CFHZoneDesign& design, const LinkPlan& plan) {
  if (previous.isBusy() || design.isBusy()) return false;
  design.setPipeEnd1(plan.start);
  design.setPipeEnd2(plan.finish);
  previous.setExitEnd1(plan.exit1);
  previous.setExitEnd2(plan.exit2);
  return true;
}

// The link from the facing points P and Q nearest the link point. Where the
// end of one zone's spans holds its point back and the other's does not,
// the two lie askew, and the ways through the wall, parallel and slanted,
// come nearer than the pitch (along a wall drawn on one line for both
// zones they even run along it): then each point is also tried with the
// other taken opposite it. The first pair that keeps the pitch as walked
// wins, P and Q first; then the first that keeps it widened; then the one
// that comes nearest. False when no pair gives a link.
bool chooseLink(const CFHZoneDesign& previous, const CFHIntervalCurveMap& beforeMap, const CLoopPoint& p,
                const CFHZoneDesign& design, const CFHIntervalCurveMap& ownMap, const CLoopPoint& q, double pitch,
                LinkPlan& plan) {
  if (planLink(previous, p, design, q, pitch, false, plan) && plan.keeps(pitch)) return true;
  CLoopPoint ps[3] = {p};
  CLoopPoint qs[3] = {q};
  int pairs = 1;
  if (facingPoint(ownMap, *design.boundary(), p.point, qs[pairs])) ps[pairs++] = p;
  if (facingPoint(beforeMap, *previous.boundary(), q.point, ps[pairs])) qs[pairs++] = q;
  LinkPlan candidate;
  for (int i = 1; i < pairs; ++i)
    if (planLink(previous, ps[i], design, qs[i], pitch, false, candidate) && candidate.keeps(pitch)) {
      plan = candidate;
      return true;
    }
  bool found = false;
  for (int i = 0; i < pairs; ++i) {
    if (!planLink(previous, ps[i], design, qs[i], pitch, true, candidate)) continue;
    if (candidate.keeps(pitch)) {
      plan = candidate;
      return true;
    }
    if (!found || candidate.apart > plan.apart) plan = candidate;
    found = true;
  }
  return found;
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
  LinkPlan plan;
  if (chooseLink(previous, beforeMap, p, design, ownMap, q, pitch, plan)) return storeLink(previous, design, plan);

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
  LinkPlan plan;
  return planLink(previous, p, design, q, pitch, true, plan) && storeLink(previous, design, plan);
}

bool CFHCircuit::linkToPreviousZone(CFHZoneEntry* zone) {
  const auto found = std::find(zones_.begin(), zones_.end(), zone);
  if (zone == nullptr || found == zones_.end() || found == zones_.begin()) return false;
  const CFHZoneEntry* before = *(found - 1);
  CFHZoneDesign* previous = before->design();
  CFHZoneDesign* design = zone->design();
  if (previous == nullptr || design == nullptr) return false;
  // The pitch may have been lowered to fit between the drawn distribution
  // pipes, which says nothing of the room at the wall: the link's supply and
  // return run inside both zones, so they keep at least half of either
  // zone's spacing apart, the nearest any two pipes of a laid zone come.
  const double u = model_->unitFactor();
  const double pitch =
      std::max({model_->pipeNetwork().pipePitch, 0.5 * before->calc.pipePitch * u, 0.5 * zone->calc.pipePitch * u});
  return CFHZoneDesign::linkToPrevious(*previous, *design, design->linkPoint(), pitch);
}
