#include "heating/layout/LoopBridges.h"

#include <cmath>
#include <memory>
#include <vector>

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/PipeCorners.h"

namespace {

// Where the curve's straight prolongation by `length` beyond its end (or
// before its start) meets the target curve.
bool prolongationMeets(const CFloorHeatingCurve& curve, double length, bool atEnd, const CFloorHeatingCurve& target,
                       XtGePoint2d& hit) {
  XtGeLineSeg2d segment;
  if (!(atEnd ? extensionSegmentAtEnd(curve, length, segment) : extensionSegmentAtStart(curve, length, segment)))
    return false;
  const std::unique_ptr<CFloorHeatingLine> line =
      CFloorHeatingLine::CFloorHeatingLineFromSeg(segment, kTagTestLine);
  return intersectCurves(*line, target, hit, workTol);
}

// The position on a's loop of the section a bridge walks from: a's incoming
// (or outgoing) link in the walking direction. -1 unless both nodes lie on
// one loop, the inner loop has sections and the spacing is usable.
int walkStart(const COffsetLoop* inner, const COffsetNode* a, const COffsetNode* b, double spacing, bool forward,
              bool incoming) {
  if (inner == nullptr || a == nullptr || b == nullptr || a->owner == nullptr || a->owner != b->owner ||
      inner->sectionCount() == 0 || !(spacing > 0.0) || !std::isfinite(spacing))
    return -1;
  return a->owner->indexOf(incoming ? a->incomingLink(forward, workTol) : a->outgoingLink(forward, workTol));
}

// One corner of a's loop and the inner corner opposite it.
struct Corner {
  COffsetSection* before = nullptr;  // the section ending at the corner
  COffsetSection* after = nullptr;   // the section starting there
  COffsetSection* innerPrevious = nullptr;
  COffsetSection* innerNext = nullptr;
};

// The corner between the sections at i and its successor on the loop;
// false when a curve is missing or there is no inner corner.
bool cornerAfter(const COffsetLoop& outer, int i, const COffsetLoop& inner, Corner& corner) {
  const int j = outer.nextIndex(i);
  if (outer.elementWithCurve(i) == nullptr || outer.elementWithCurve(j) == nullptr) return false;
  corner.before = outer.section(i);
  corner.after = outer.section(j);
  return nearestInnerCorner(inner, *corner.before, *corner.after, corner.innerPrevious, corner.innerNext);
}

// The links of an inner node at X on IN: IP as well when X is IN's start.
std::vector<CLoopElement*> innerLinks(const XtGePoint2d& x, const Corner& corner) {
  if (x.isEqualTo(corner.innerNext->startPoint(), workTol)) return {corner.innerNext, corner.innerPrevious};
  return {corner.innerNext};
}

}  // namespace

bool nearestInnerCorner(const COffsetLoop& inner, const COffsetSection& first, const COffsetSection& second,
                        COffsetSection*& innerPrevious, COffsetSection*& innerNext) {
  if (!first.hasCurve() || !second.hasCurve()) return false;
  const XtGePoint2d corner = midPoint2d(first.endPoint(), second.startPoint());
  int best = -1;
  double least = 0.0;
  // (last, first) first, then (i - 1, i).
  for (int i = 0; i < inner.sectionCount(); ++i) {
    const CLoopElement* before = inner.elementWithCurve(inner.previousIndex(i));
    const CLoopElement* after = inner.elementWithCurve(i);
    if (before == nullptr || after == nullptr) continue;
    const double d = midPoint2d(before->endPoint(), after->startPoint()).distanceTo(corner);
    if (best < 0 || d < least) {
      best = i;
      least = d;
    }
  }
  if (best < 0) return false;
  innerPrevious = inner.section(inner.previousIndex(best));
  innerNext = inner.section(best);
  return true;
}

namespace {

// One bridge found: its node on the outer loop and its node on the inner
// loop, each with the sections it lies on.
struct Bridge {
  CLoopPoint outer;
  CLoopPoint inner;
};

CLoopPoint pointOn(const XtGePoint2d& p, const std::vector<CLoopElement*>& links) {
  CLoopPoint out(p);
  for (CLoopElement* link : links) out.addLink(link);
  return out;
}

// Whether the pipe keeps clear of a sharp corner where it comes along the
// outer loop (walking `forward`) to the bridge and turns onto it, and where
// it goes on along the inner loop (walking it forward for innerWalk 1,
// backward for 0; not looked at for -1), each way taken over `reach`.
bool turnsGently(const Bridge& bridge, const COffsetLoop& outer, const COffsetLoop& inner, bool forward, int innerWalk,
                 double reach) {
  const XtGeVector2d step = bridge.inner.point - bridge.outer.point;
  XtGeVector2d in;
  XtGeVector2d on;
  if (travelDirection(outer, bridge.outer, forward, true, reach, in) && insideAngle(in, step) < kSharpestPipeCorner)
    return false;
  return innerWalk < 0 || !travelDirection(inner, bridge.inner, innerWalk != 0, false, reach, on) ||
         insideAngle(step, on) >= kSharpestPipeCorner;
}

// The bridge's two nodes and edges, joined to b: prepended (the plain
// bridge) or appended (the bridge with clearance).
COffsetNode* makeBridge(CFHCircuitLayout& layout, COffsetNode* b, const Bridge& bridge, COffsetLoop& outer,
                        COffsetLoop* inner, std::uint8_t direction, bool prepend) {
  if (prepend) {
    COffsetNode* outerNode = layout.prependNodeOnLoopAt(b, bridge.outer, &outer, direction);
    return layout.prependNodeOnLoopAt(outerNode, bridge.inner, inner, direction);
  }
  COffsetNode* outerNode = layout.appendNodeOnLoopAt(b, bridge.outer, &outer, direction);
  return layout.appendNodeOnLoopAt(outerNode, bridge.inner, inner, direction);
}

// The bridges a walk finds: a gentle one is made at once; the first one is
// kept to be made when none is gentle.
struct BridgePick {
  Bridge first;
  bool found = false;

  // Whether to make this one now.
  bool offer(const Bridge& bridge, bool gentle) {
    if (gentle) return true;
    if (!found) first = bridge;
    found = true;
    return false;
  }
};

}  // namespace

COffsetNode* bridgeToInnerLoop(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                               std::uint8_t direction, CFHCircuitLayout& layout) {
  return bridgeToInnerLoop(inner, a, b, spacing, direction, layout, -1);
}

COffsetNode* bridgeToInnerLoopWithClearance(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                                            std::uint8_t direction, CFHCircuitLayout& layout) {
  return bridgeToInnerLoopWithClearance(inner, a, b, spacing, direction, layout, -1);
}

COffsetNode* bridgeToInnerLoop(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                               std::uint8_t direction, CFHCircuitLayout& layout, int innerWalk) {
  const bool forward = direction != 0;
  const int start = walkStart(inner, a, b, spacing, forward, true);
  if (start < 0) return b;
  COffsetLoop& outer = *a->owner;
  const double reach = 2.0 * spacing;
  // A bridge whose pipe turns sharper than kSharpestPipeCorner where it
  // leaves the outer loop (a corner of a round or slanted wall met at a
  // shallow angle) is passed over for the next corner's; the first one
  // found is made when no other is.
  BridgePick pick;
  const std::uint8_t edgeDirection = forward ? 0 : 1;
  for (int visited = start, k = 0; k < outer.sectionCount(); ++k) {
    const int reached = forward ? outer.nextIndex(visited) : outer.previousIndex(visited);
    if (reached == start) break;
    Corner corner;
    const bool atCorner = cornerAfter(outer, forward ? visited : reached, *inner, corner);
    const int v = visited;
    visited = reached;
    if (!atCorner) continue;
    COffsetSection* reachedSection = outer.section(reached);
    const CFloorHeatingCurve& ip = *corner.innerPrevious->curve;
    const CFloorHeatingCurve& in = *corner.innerNext->curve;
    XtGePoint2d x;
    Bridge bridge;
    if (!forward) {
      if (!prolongationMeets(in, reach, false, *reachedSection->curve, x)) continue;
      bridge = {pointOn(x, {reachedSection}), pointOn(in.startPoint(), {corner.innerNext, corner.innerPrevious})};
    } else if (const COffsetSection* visitedSection = outer.section(v);
               prolongationMeets(*visitedSection->curve, reach, true, in, x)) {
      // The step at the outer corner.
      bridge = {pointOn(visitedSection->endPoint(), {corner.before, corner.after}), pointOn(x, innerLinks(x, corner))};
    } else if (prolongationMeets(ip, reach, true, *reachedSection->curve, x) &&
               !(x.distanceTo(a->point) < b->point.distanceTo(a->point))) {
      bridge = {pointOn(x, {reachedSection}), pointOn(ip.endPoint(), {corner.innerPrevious, corner.innerNext})};
    } else {
      continue;
    }
    if (pick.offer(bridge, turnsGently(bridge, outer, *inner, forward, innerWalk, spacing)))
      return makeBridge(layout, b, bridge, outer, inner, edgeDirection, true);
  }
  return pick.found ? makeBridge(layout, b, pick.first, outer, inner, edgeDirection, true) : b;
}

COffsetNode* bridgeToInnerLoopWithClearance(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                                            std::uint8_t direction, CFHCircuitLayout& layout, int innerWalk) {
  const bool forward = direction != 0;
  const int start = walkStart(inner, a, b, spacing, forward, false);
  if (start < 0) return b;
  COffsetLoop& outer = *a->owner;
  const double s = spacing;
  const double reach = 2.0 * s;
  // As the plain bridge: a sharp corner where the pipe leaves the outer
  // loop is passed over while another corner serves.
  BridgePick pick;
  const std::uint8_t edgeDirection = forward ? 1 : 0;
  // Walking backward; the corner is always between prev(v) and v. C is v
  // for direction 1 and prev(v) for 0; the walk stops when C comes back.
  for (int v = start, k = 0; k < outer.sectionCount(); ++k, v = outer.previousIndex(v)) {
    const int c = forward ? v : outer.previousIndex(v);
    if (k > 0 && c == start) break;
    Corner corner;
    if (!cornerAfter(outer, outer.previousIndex(v), *inner, corner)) continue;
    COffsetSection* cs = outer.section(c);
    COffsetSection* ps = forward ? corner.before : corner.after;
    const CFloorHeatingCurve& ip = *corner.innerPrevious->curve;
    const CFloorHeatingCurve& in = *corner.innerNext->curve;
    XtGePoint2d x;
    Bridge bridge;
    if (!forward) {
      if (prolongationMeets(*cs->curve, reach, true, in, x) && x.distanceTo(a->point) >= 1.61 * s &&
          x.distanceTo(b->point) > reach) {
        bridge = {pointOn(cs->endPoint(), {cs, ps}), pointOn(x, innerLinks(x, corner))};
      } else if (prolongationMeets(ip, reach, true, *ps->curve, x) && ip.endPoint().distanceTo(b->point) > reach) {
        bridge = {pointOn(x, {ps}), pointOn(ip.endPoint(), {corner.innerPrevious, corner.innerNext})};
      } else {
        continue;
      }
    } else {
      if (!prolongationMeets(in, reach, false, *ps->curve, x) || x.distanceTo(a->point) < s - workTol.equalPoint() ||
          !(in.startPoint().distanceTo(b->point) > reach))
        continue;
      CLoopPoint projected;
      CLoopPoint reached;
      const double along = cs->curve->length() + s <= reach ? cs->curve->length() + s : reach;
      if (!outer.closestPoint(x, projected, workTol) || !outer.walkFrom(projected, false, along, reached, workTol))
        continue;
      bridge = {reached, pointOn(in.startPoint(), {corner.innerNext, corner.innerPrevious})};
      // The outer node walked that far makes the bridge a slant: where the
      // pipe turns back along the inner loop it turns sharply. Nearer to
      // the crossing the bridge runs across.
      for (const double shorter : {s, 0.5 * s, 0.0}) {
        if (turnsGently(bridge, outer, *inner, forward, innerWalk, spacing) || !(shorter < along)) break;
        if (outer.walkFrom(projected, false, shorter, reached, workTol)) bridge.outer = reached;
      }
    }
    if (pick.offer(bridge, turnsGently(bridge, outer, *inner, forward, innerWalk, spacing)))
      return makeBridge(layout, b, bridge, outer, inner, edgeDirection, false);
  }
  return pick.found ? makeBridge(layout, b, pick.first, outer, inner, edgeDirection, false) : b;
}
