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

namespace {

// The tag of the temporary prolongation lines.
constexpr std::uint32_t kTagProlongation = 1;

// Where the curve's straight prolongation by `length` beyond its end (or
// before its start) meets the target curve.
bool prolongationMeets(const CFloorHeatingCurve& curve, double length, bool atEnd, const CFloorHeatingCurve& target,
                       XtGePoint2d& hit) {
  XtGeLineSeg2d segment;
  if (!(atEnd ? extensionSegmentAtEnd(curve, length, segment) : extensionSegmentAtStart(curve, length, segment)))
    return false;
  const std::unique_ptr<CFloorHeatingLine> line =
      CFloorHeatingLine::CFloorHeatingLineFromSeg(segment, kTagProlongation);
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

COffsetNode* bridgeToInnerLoop(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                               std::uint8_t direction, CFHCircuitLayout& layout) {
  const bool forward = direction != 0;
  const int start = walkStart(inner, a, b, spacing, forward, true);
  if (start < 0) return b;
  COffsetLoop& outer = *a->owner;
  const double reach = 2.0 * spacing;
  for (int visited = start, k = 0; k < outer.sectionCount(); ++k) {
    const int reached = forward ? outer.nextIndex(visited) : outer.previousIndex(visited);
    if (reached == start) break;
    Corner corner;
    const bool found = cornerAfter(outer, forward ? visited : reached, *inner, corner);
    const int v = visited;
    visited = reached;
    if (!found) continue;
    COffsetSection* reachedSection = outer.section(reached);
    const CFloorHeatingCurve& ip = *corner.innerPrevious->curve;
    const CFloorHeatingCurve& in = *corner.innerNext->curve;
    XtGePoint2d x;
    if (!forward) {
      if (!prolongationMeets(in, reach, false, *reachedSection->curve, x)) continue;
      COffsetNode* nx = layout.prependNodeOnSection(b, x, reachedSection, &outer, 1);
      return layout.prependNodeOnLoop(nx, in.startPoint(), {corner.innerNext, corner.innerPrevious}, inner, 1);
    }
    const COffsetSection* visitedSection = outer.section(v);
    if (prolongationMeets(*visitedSection->curve, reach, true, in, x)) {
      // The step at the outer corner.
      COffsetNode* outerNode =
          layout.prependNodeOnLoop(b, visitedSection->endPoint(), {corner.before, corner.after}, &outer, 0);
      return layout.prependNodeOnLoop(outerNode, x, innerLinks(x, corner), inner, 0);
    }
    if (!prolongationMeets(ip, reach, true, *reachedSection->curve, x) ||
        x.distanceTo(a->point) < b->point.distanceTo(a->point))
      continue;
    COffsetNode* outerNode = layout.prependNodeOnSection(b, x, reachedSection, &outer, 0);
    return layout.prependNodeOnLoop(outerNode, ip.endPoint(), {corner.innerPrevious, corner.innerNext}, inner, 0);
  }
  return b;
}

COffsetNode* bridgeToInnerLoopWithClearance(COffsetLoop* inner, COffsetNode* a, COffsetNode* b, double spacing,
                                            std::uint8_t direction, CFHCircuitLayout& layout) {
  const bool forward = direction != 0;
  const int start = walkStart(inner, a, b, spacing, forward, false);
  if (start < 0) return b;
  COffsetLoop& outer = *a->owner;
  const double s = spacing;
  const double reach = 2.0 * s;
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
    if (!forward) {
      if (prolongationMeets(*cs->curve, reach, true, in, x) && x.distanceTo(a->point) >= 1.61 * s &&
          x.distanceTo(b->point) > reach) {
        COffsetNode* outerNode = layout.appendNodeOnLoop(b, cs->endPoint(), {cs, ps}, &outer, 0, false);
        return layout.appendNodeOnLoop(outerNode, x, innerLinks(x, corner), inner, 0, false);
      }
      if (prolongationMeets(ip, reach, true, *ps->curve, x) && ip.endPoint().distanceTo(b->point) > reach) {
        COffsetNode* outerNode = layout.appendNodeOnSection(b, x, ps, &outer, 0);
        return layout.appendNodeOnLoop(outerNode, ip.endPoint(), {corner.innerPrevious, corner.innerNext}, inner, 0,
                                       false);
      }
      continue;
    }
    if (!prolongationMeets(in, reach, false, *ps->curve, x) || x.distanceTo(a->point) < s - workTol.equalPoint() ||
        !(in.startPoint().distanceTo(b->point) > reach))
      continue;
    CLoopPoint projected;
    CLoopPoint reached;
    const double along = cs->curve->length() + s <= reach ? cs->curve->length() + s : reach;
    if (!outer.closestPoint(x, projected, workTol) || !outer.walkFrom(projected, false, along, reached, workTol))
      continue;
    COffsetNode* outerNode = layout.appendNodeOnLoopAt(b, reached, &outer, 1);
    return layout.appendNodeOnLoop(outerNode, in.startPoint(), {corner.innerNext, corner.innerPrevious}, inner, 1,
                                   false);
  }
  return b;
}
