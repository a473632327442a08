// Where a spiral run steps two levels inward: the point it leaves its own
// loop at, its crossing with the other run's loop and the point it goes on
// at on its next loop.
#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/COffsetPointTriple.h"
#include "heating/layout/LayoutPredicates.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/OffsetEdgePath.h"
#include "heating/layout/OffsetGraphQueries.h"
#include "heating/layout/PipeCorners.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A step across two levels is about two spacings long; a candidate line
// longer than this many spacings runs along the loops (on a round loop the
// probes along the tangents meet the run's loop far away), not across.
constexpr double kLongestStep = 3.0;
// The least way, in spacings, a step keeps before the next node of its loop.
constexpr double kRoomMargin = 0.99;
// How far along its loops, in spacings, the pipe's way in and out of a step
// is taken for the corners it turns there.
constexpr double kCornerReach = 1.0;

struct Candidate {
  COffsetPointTriple points;  // P1 on the run's loop, P2 on loop B, P3 on loop C
  double along;               // the way along the run's loop from the run end to P1
  bool gentle;                // the pipe turns no sharper than kSharpestPipeCorner at P1 and P3
};

// The end of the section on loop C that a probe leaves from, linked to the
// section and to the neighbour that meets it there.
COffsetPoint sectionEnd(const COffsetLoop& loop, int i, bool atStart) {
  COffsetSection* section = loop.section(i);
  COffsetPoint p(atStart ? section->startPoint() : section->endPoint(), section);
  p.addLink(loop.section(atStart ? loop.previousIndex(i) : loop.nextIndex(i)));
  return p;
}

bool isProbed(const COffsetLoop& loop, int i, double s) {
  if (loop.sectionCount() <= 6) return true;
  if (loop.section(i)->curve->length() >= 0.9 * s) return true;
  for (int neighbour : {loop.previousIndex(i), loop.nextIndex(i)}) {
    const COffsetSection* section = loop.section(neighbour);
    if (section->hasCurve() && isLongestCurve(*section->curve, loop.elements)) return true;
  }
  return false;
}

// The tests the line P3 -> X must pass for a candidate.
bool lineQualifies(const CFloorHeatingLine& line, const XtGePoint2d& x, const COffsetLoop& own,
                   const COffsetLoop& loopB, const COffsetLoop& loopC, const COffsetLoop* avoidLoop, bool forward,
                   const XtGeTol& local) {
  std::vector<COffsetPoint> meetings;
  loopB.intersectionPoints(line, meetings, local);
  if (meetings.size() > 1 && !indexListsShareItems(meetings)) return false;
  if (avoidLoop != nullptr && avoidLoop->intersectionPoints(line, meetings, local)) return false;
  loopC.intersectionPoints(line, meetings, local);
  if (meetings.size() >= 3) return false;
  if (lineMeetsLoopAgainstDirection(line, own, forward, local)) return false;
  return line.isOn(x);
}

// Every candidate of the probes of loop C's sections.
void collectCandidates(const COffsetNode& runEnd, const COffsetLoop& own, const COffsetLoop& loopB,
                       const COffsetLoop& loopC, const COffsetLoop* avoidLoop, bool forward, double s,
                       std::vector<Candidate>& out) {
  const XtGeTol local(0.1 * s, 0.01 * s);
  std::vector<CLoopPoint> hits;
  for (int i = 0; i < loopC.sectionCount(); ++i) {
    if (!loopC.section(i)->hasCurve() || !isProbed(loopC, i, s)) continue;
    const CFloorHeatingCurve& curve = *loopC.section(i)->curve;
    for (bool atStart : {true, false}) {
      XtGeLineSeg2d probe;
      if (!(atStart ? extensionSegmentAtStart(curve, 4.0 * s, probe) : extensionSegmentAtEnd(curve, 4.0 * s, probe)))
        continue;
      const XtGeRay2d ray(probe.startPoint(), probe.endPoint());
      CLoopPoint crossing;
      if (!own.intersectRay(ray, hits, workTol) ||
          !loopB.pickIntersection(ray, CLoopPoint(probe.startPoint()), crossing, workTol))
        continue;
      const COffsetPoint p3 = sectionEnd(loopC, i, atStart);
      for (const CLoopPoint& x : hits) {
        if (p3.point.distanceTo(x.point) > kLongestStep * s) continue;
        const CFloorHeatingLine line(p3.point, x.point, nullptr, kTagTestLine);
        if (!lineQualifies(line, x.point, own, loopB, loopC, avoidLoop, forward, local)) continue;
        out.push_back({COffsetPointTriple(COffsetPoint(x), COffsetPoint(crossing), p3),
                       own.lengthBetween(runEnd, x, forward, workTol),
                       stepTurnsGently(own, x, loopC, p3, forward, kCornerReach * s)});
      }
    }
  }
}

// The candidate within the room that lies farthest along the run's loop;
// one within 0.1 s of the best so far wins with a shorter P1 -> P3. With
// `gentleOnly`, only the candidates whose pipe turns gently at both ends.
const Candidate* chooseCandidate(const std::vector<Candidate>& candidates, double room, double s, bool gentleOnly) {
  const Candidate* best = nullptr;
  double bestCross = 0.0;
  for (const Candidate& c : candidates) {
    if (!(c.along < room) || (gentleOnly && !c.gentle)) continue;
    const double cross = c.points.points[0].point.distanceTo(c.points.points[2].point);
    const bool wins = best == nullptr || c.along >= best->along + 0.1 * s ||
                      (std::fabs(c.along - best->along) < 0.1 * s && cross < bestCross);
    if (!wins) continue;
    best = &c;
    bestCross = cross;
  }
  return best;
}

// The step straight across from the end of the room: P1 the room's length
// along the run's loop from the run end, P3 loop C's nearest point to it, P2
// the crossing of P1 -> P3 with loop B farthest from P3; the line must pass
// the candidates' tests.
bool stepAtRoomEnd(const COffsetNode& runEnd, const COffsetLoop& own, const COffsetLoop& loopB,
                   const COffsetLoop& loopC, const COffsetLoop* avoidLoop, bool forward, double room, double s,
                   COffsetPointTriple& out) {
  CLoopPoint p1;
  CLoopPoint p2;
  CLoopPoint p3;
  // Lines straight across converge towards the centre of a round zone: the
  // step keeps back so that it lies as far from the next node on loop C as
  // the room's margin is on the run's loop.
  const double lengthC = loopC.length(workTolFine);
  const double ratio = lengthC > 0.0 ? own.length(workTolFine) / lengthC : 1.0;
  const double along = room - kRoomMargin * s * std::max(0.0, ratio - 1.0);
  if (!(along >= 0.0) || !own.walkFrom(runEnd, forward, along, p1, workTol) ||
      !loopC.closestPoint(p1.point, p3, workTol))
    return false;
  const CFloorHeatingLine line(p3.point, p1.point, nullptr, kTagTestLine);
  if (p1.point.distanceTo(p3.point) > kLongestStep * s || !loopB.pickFarthestIntersection(line, p3, p2, workTol) ||
      !lineQualifies(line, p1.point, own, loopB, loopC, avoidLoop, forward, XtGeTol(0.1 * s, 0.01 * s)))
    return false;
  out = COffsetPointTriple(COffsetPoint(p1), COffsetPoint(p2), COffsetPoint(p3));
  return true;
}

// The step from `step`'s P3 dropped square onto the run's loop: P1 the
// loop's nearest point to P3, P2 the crossing of P1 -> P3 with loop B
// farthest from P3; the line must pass the candidates' tests. Where loop C
// has shrunk to a sliver short of the room's end (the innermost level of a
// room with slanted walls), P3 lies far back from the room's end, and the
// step from there runs back beside the run it came along at a sharp angle
// (the pipe then comes within s of itself); dropped square it leaves the
// run's loop at about a right angle.
bool squareStep(const COffsetLoop& own, const COffsetLoop& loopB, const COffsetLoop& loopC,
                const COffsetLoop* avoidLoop, bool forward, double s, const COffsetPointTriple& step,
                COffsetPointTriple& out) {
  const CLoopPoint& p3 = step.points[2];
  CLoopPoint p1;
  CLoopPoint p2;
  if (!own.closestPoint(p3.point, p1, workTol)) return false;
  const CFloorHeatingLine line(p3.point, p1.point, nullptr, kTagTestLine);
  if (!loopB.pickFarthestIntersection(line, p3, p2, workTol) ||
      !lineQualifies(line, p1.point, own, loopB, loopC, avoidLoop, forward, XtGeTol(0.1 * s, 0.01 * s)))
    return false;
  out = COffsetPointTriple(COffsetPoint(p1), COffsetPoint(p2), step.points[2]);
  return true;
}

// The fallback: P1 s back (against the walking direction) from the end of
// the last path piece of the run end's edge, P3 loop C's nearest point to
// it, P2 the crossing of P1 -> P3 with loop B farthest from P3.
bool fallbackPoints(const COffsetNode& runEnd, const COffsetLoop& own, const COffsetLoop& loopB,
                    const COffsetLoop& loopC, bool forward, double s, COffsetPointTriple& out) {
  const COffsetEdge* edge = outgoingEdgeIfUnique(runEnd);
  if (edge == nullptr) edge = incomingEdgeIfUnique(runEnd);
  CFloorHeatingCurve::PtrVector pieces;
  if (edge == nullptr || !offsetEdgePathAlongLoop(edge, pieces) || pieces.empty()) return false;
  CLoopPoint at;
  CLoopPoint p1;
  CLoopPoint p3;
  CLoopPoint p2;
  if (!own.closestPoint(pieces.back()->endPoint(), at, workTol) || !own.walkFrom(at, !forward, s, p1, workTol) ||
      !loopC.closestPoint(p1.point, p3, workTol))
    return false;
  const CFloorHeatingLine line(p1.point, p3.point, nullptr, kTagTestLine);
  if (!loopB.pickFarthestIntersection(line, p3, p2, workTol)) return false;
  out = COffsetPointTriple(COffsetPoint(p1), COffsetPoint(p2), COffsetPoint(p3));
  return true;
}

// The step's line P1 -> P3 keeps the room's margin from the next node
// across, not only along the run's loop. A line that meets the loop at a
// slant (the probe along a loop beside a slanted or round wall) with its
// foot the margin along the loop from the next node passes the node's line
// at the margin times the sine of the slant; the other run, which follows
// the same wall, leaves the loop there the same slant, and the two runs lie
// nearer than s side by side. Such a step moves back along the run's loop,
// parallel to itself, until it keeps the margin across: its three points
// are where the moved line meets the three loops, nearest the old ones. A
// node farther than twice the margin from P1 is left alone (only a slant
// under 30 degrees would bring it within the margin across). The step stays
// as it was when the moved line misses a loop, does not move back, or fails
// the candidates' tests.
void keepMarginFromNextNode(const COffsetNode& runEnd, const COffsetNode& next, const COffsetLoop& own,
                            const COffsetLoop& loopB, const COffsetLoop& loopC, const COffsetLoop* avoidLoop,
                            bool forward, double margin, double s, COffsetPointTriple& step) {
  const XtGePoint2d& p1 = step.points[0].point;
  const XtGePoint2d& p2 = step.points[1].point;
  const XtGePoint2d& p3 = step.points[2].point;
  XtGeVector2d u = p3 - p1;
  const double length = u.length();
  if (!(length > workTol.equalPoint()) || next.point.distanceTo(p1) > 2.0 * margin) return;
  u = u / length;
  const XtGeVector2d n = u.perpVector();
  const double across = (next.point - p1).dotProduct(n);
  const double shortBy = margin - std::fabs(across) + workTol.equalPoint();
  if (!(shortBy > 2.0 * workTol.equalPoint())) return;
  const XtGeVector2d move = n * (across > 0.0 ? -shortBy : shortBy);
  const CFloorHeatingLine moved(p1 + move - u * s, p3 + move + u * s, nullptr, kTagTestLine);
  CLoopPoint q1;
  CLoopPoint q2;
  CLoopPoint q3;
  if (!own.nearestIntersection(moved, CLoopPoint(p1 + move), q1, workTol) ||
      !loopB.nearestIntersection(moved, CLoopPoint(p2 + move), q2, workTol) ||
      !loopC.nearestIntersection(moved, CLoopPoint(p3 + move), q3, workTol))
    return;
  if (q1.point.distanceTo(p1) > s || q3.point.distanceTo(p3) > s ||
      !(own.lengthBetween(runEnd, q1, forward, workTol) < own.lengthBetween(runEnd, step.points[0], forward, workTol)))
    return;
  const CFloorHeatingLine line(q3.point, q1.point, nullptr, kTagTestLine);
  if (!lineQualifies(line, q1.point, own, loopB, loopC, avoidLoop, forward, XtGeTol(0.1 * s, 0.01 * s))) return;
  step = COffsetPointTriple(COffsetPoint(q1), COffsetPoint(q2), COffsetPoint(q3));
}

}  // namespace

bool CFHCircuitLayout::findLevelStepPoints(const COffsetNode& runEnd, const COffsetLoop* loopB,
                                           const COffsetLoop* loopC, const COffsetLoop* avoidLoop, bool& d,
                                           COffsetPoint& p1, COffsetPoint& p2, COffsetPoint& p3) const {
  const COffsetLoop* own = runEnd.owner;
  const double s = spacing;
  if (own == nullptr || loopB == nullptr || loopC == nullptr || !(s > 0.0) || !std::isfinite(s)) return false;
  const COffsetNode* next = nextNodeOnLoop(*own, runEnd, d ? 1 : 0, workTol);
  if (next == nullptr) return false;

  const double margin = kRoomMargin * s;
  if (own->lengthBetween(runEnd, *next, d, workTol) < margin) d = !d;
  const double room = own->lengthBetween(runEnd, *next, d, workTol) - margin;
  std::vector<Candidate> candidates;
  if (room < 0.0)
    d = !d;
  else
    collectCandidates(runEnd, *own, *loopB, *loopC, avoidLoop, d, s, candidates);

  // A step whose pipe turns sharper than kSharpestPipeCorner comes back
  // nearer than s to itself (where a slanted or round wall makes the
  // probes meet the loops at a shallow angle): a gentle candidate is taken
  // first, the usual choice when there is none.
  COffsetPointTriple chosen;
  const Candidate* best = chooseCandidate(candidates, room, s, true);
  if (best == nullptr) best = chooseCandidate(candidates, room, s, false);
  if (best != nullptr) {
    chosen = best->points;
    keepMarginFromNextNode(runEnd, *next, *own, *loopB, *loopC, avoidLoop, d, margin, s, chosen);
  } else if (room >= 0.0 && stepAtRoomEnd(runEnd, *own, *loopB, *loopC, avoidLoop, d, room, s, chosen)) {
    // A sharp step at the room's end gives way to the same step dropped
    // square onto the run's loop, where that one turns gently.
    COffsetPointTriple square;
    const auto gentle = [&](const COffsetPointTriple& t) {
      return stepTurnsGently(*own, t.points[0], *loopC, t.points[2], d, kCornerReach * s);
    };
    if (!gentle(chosen) && squareStep(*own, *loopB, *loopC, avoidLoop, d, s, chosen, square) && gentle(square) &&
        own->lengthBetween(runEnd, square.points[0], d, workTol) < room)
      chosen = square;
  } else if (!fallbackPoints(runEnd, *own, *loopB, *loopC, d, s, chosen)) {
    return false;
  }
  p1.assignPointAndLinks(chosen.points[0]);
  p2.assignPointAndLinks(chosen.points[1]);
  p3.assignPointAndLinks(chosen.points[2]);
  return true;
}
