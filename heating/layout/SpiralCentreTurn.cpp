// Whether the spiral's centre can turn by parallel runs between two
// four-sided innermost loops, and the rungs of that turn.
#include "heating/layout/SpiralCentreTurn.h"

#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LoopSampling.h"
#include "heating/layout/OffsetGraphQueries.h"
#include "heating/layout/OffsetLoopQueries.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// The four sections of a four-sided loop, shortest first (the earlier of
// equals first).
std::array<COffsetSection*, 4> byLength(const COffsetLoop& loop) {
  std::array<int, 4> order{};
  std::iota(order.begin(), order.end(), 0);
  std::array<double, 4> length{};
  for (int i = 0; i < 4; ++i) length[i] = loop.section(i)->hasCurve() ? loop.section(i)->curve->length() : 0.0;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return length[a] < length[b]; });
  return {loop.section(order[0]), loop.section(order[1]), loop.section(order[2]), loop.section(order[3])};
}

bool meetAtCorner(const COffsetLoop& loop, const COffsetSection* a, const COffsetSection* b) {
  const int i = loop.indexOf(a);
  const int j = loop.indexOf(b);
  return loop.nextIndex(i) == j || loop.previousIndex(i) == j;
}

// The loop's meeting with the probe from `from` along `offset`, farthest
// from `from`.
bool farthestAlong(const COffsetLoop& loop, const CLoopPoint& from, const XtGeVector2d& offset, CLoopPoint& out) {
  const CFloorHeatingLine probe(from.point, from.point + offset, nullptr, kTagTestLine);
  return loop.farthestIntersection(probe, from, out, workTol);
}

// The probe's nearest and farthest meeting with the inner loop; X is the
// long side of the inner loop the far one lies on.
bool acrossToInner(const COffsetLoop& inner, const CLoopPoint& from, const XtGeVector2d& offset,
                   const std::array<COffsetSection*, 4>& sides, CLoopPoint& nearest, CLoopPoint& farthest,
                   COffsetSection*& x) {
  const CFloorHeatingLine probe(from.point, from.point + offset, nullptr, kTagTestLine);
  if (!inner.nearestAndFarthestIntersection(probe, from, nearest, farthest, workTol)) return false;
  x = farthest.hasLink(sides[2]) ? sides[2] : farthest.hasLink(sides[3]) ? sides[3] : nullptr;
  return x != nullptr;
}

// The samples between two points every s, `from` put in front.
void samplesFrom(const COffsetLoop& loop, const CLoopPoint& from, const CLoopPoint& to, bool forward, double s,
                 std::vector<COffsetPoint>& out) {
  if (sampleLoopBetween(loop, from, to, forward, s, out, workTolFine)) out.insert(out.begin(), COffsetPoint(from));
}

const COffsetPoint& lastOuter(const COffsetPointQuad& rung) { return rung.points[rung.count == 4 ? 3 : 0]; }
const COffsetPoint& lastInner(const COffsetPointQuad& rung) { return rung.points[rung.count >= 3 ? 2 : 1]; }

}  // namespace

void trimLastRung(std::vector<COffsetPointQuad>& rungs, bool outerShort, bool innerShort) {
  if (rungs.empty()) return;
  COffsetPointQuad& last = rungs.back();
  const bool shortEnd = outerShort || innerShort;
  if (last.count == 4 && shortEnd)
    last.count = innerShort ? 2 : 3;
  else if (last.count == 2 && shortEnd)
    last.count = outerShort ? 0 : 1;
  if (last.count == 0) rungs.pop_back();
  if (!rungs.empty() && rungs.back().count == 1) rungs.pop_back();
  if (!rungs.empty() && rungs.back().count == 4) rungs.back().count = 3;
}

bool CFHCircuitLayout::tryCentreTurn(const COffsetNode& innerEnd, const COffsetNode& outerEnd, bool d,
                                     std::vector<COffsetPoint>& pointsA, std::vector<COffsetPoint>& pointsB,
                                     std::vector<COffsetPointQuad>& records) const {
  const COffsetLoop* inner = innerEnd.owner;
  const COffsetLoop* outer = outerEnd.owner;
  if (inner == nullptr || outer == nullptr || inner->sectionCount() != 4) return false;
  if (outer->sectionCount() != 4) return true;
  const std::array<COffsetSection*, 4> in = byLength(*inner);
  const std::array<COffsetSection*, 4> out = byLength(*outer);
  for (const COffsetSection* side : {in[0], in[1], in[2], in[3], out[0], out[1], out[2], out[3]})
    if (!side->hasCurve()) return false;
  if (!(4.0 * in[1]->curve->length() <= in[2]->curve->length()) || meetAtCorner(*inner, in[0], in[1]) ||
      meetAtCorner(*outer, out[0], out[1]))
    return false;

  pointsA.clear();
  pointsB.clear();
  records.clear();
  const double reach = 5.0 * spacing;
  const COffsetNode* next = nextNodeOnLoop(*outer, outerEnd, d ? 1 : 0, workTol);
  // "Y lies beyond Z from X" along a loop: the way from X to Y is the longer.
  auto beyond = [](const COffsetLoop& loop, const CLoopPoint& from, const CLoopPoint& y, bool forward,
                   const CLoopPoint& z) { return loop.comparePathLength(from, y, forward, z, false, workTol); };

  // From the outer end straight across, when it lies on a long side.
  COffsetSection* side = outerEnd.hasLink(out[2]) ? out[2] : outerEnd.hasLink(out[3]) ? out[3] : nullptr;
  XtGeVector2d n;
  CLoopPoint nearest;
  CLoopPoint farthest;
  COffsetSection* x = nullptr;
  if (side != nullptr && curveNormalAt(*side->curve, outerEnd.point, n, workTolFine) &&
      acrossToInner(*inner, outerEnd, reach * n, in, nearest, farthest, x)) {
    CLoopPoint e1;
    CLoopPoint e2;
    if (!sectionEndPoints(*inner, x, d, e1, e2)) return false;
    CLoopPoint r1;
    CLoopPoint r2;
    const bool hasR1 = farthestAlong(*outer, e1, -reach * n, r1);
    if (hasR1 && next != nullptr && beyond(*outer, outerEnd, r1, d, *next)) r1.assignPointAndLinks(*next);
    if (farthestAlong(*outer, e2, reach * n, r2) && next != nullptr && beyond(*outer, r2, outerEnd, d, *next) &&
        beyond(*inner, e2, nearest, d, innerEnd))
      records.emplace_back(COffsetPoint(r2), COffsetPoint(e2));
    if (hasR1) {
      samplesFrom(*inner, farthest, e1, !d, spacing, pointsA);
      sampleLoopBetween(*outer, outerEnd, r1, d, spacing, pointsB, workTolFine);
    }
    return (!pointsA.empty() && !pointsB.empty()) || !records.empty();
  }

  // From the middle of the long side farther along.
  const CLoopPoint m2(out[2]->curve->midPoint(), out[2]);
  const CLoopPoint m3(out[3]->curve->midPoint(), out[3]);
  const bool third = beyond(*outer, outerEnd, m3, d, m2);
  if (!third && !beyond(*outer, outerEnd, m2, d, m3)) return false;
  const CLoopPoint& m = third ? m3 : m2;
  if (!curveNormalAt(*(third ? out[3] : out[2])->curve, m.point, n, workTolFine) ||
      !acrossToInner(*inner, m, reach * n, in, nearest, farthest, x))
    return false;
  CLoopPoint e1;
  CLoopPoint e2;
  CLoopPoint ra;
  CLoopPoint rb;
  if (!sectionEndPoints(*inner, x, d, e1, e2) || !farthestAlong(*outer, e2, -reach * n, ra) ||
      !farthestAlong(*outer, e1, -reach * n, rb))
    return false;
  if (beyond(*inner, e2, e1, !d, innerEnd)) e1.assignPointAndLinks(innerEnd);
  if (next != nullptr && beyond(*outer, ra, rb, d, *next)) rb.assignPointAndLinks(*next);
  samplesFrom(*inner, e2, e1, !d, spacing, pointsA);
  samplesFrom(*outer, ra, rb, d, spacing, pointsB);
  for (std::size_t i = 0; i < pointsA.size() && i < pointsB.size(); i += 2) {
    if (i + 1 < pointsA.size() && i + 1 < pointsB.size())
      records.emplace_back(pointsB[i], pointsA[i], pointsB[i + 1], pointsA[i + 1]);
    else
      records.emplace_back(pointsB[i], pointsA[i]);
  }
  if (records.empty()) return false;
  const double half = 0.5 * spacing;
  trimLastRung(records, outer->lengthBetween(lastOuter(records.back()), rb, d, workTol) < half,
               inner->lengthBetween(lastInner(records.back()), e1, !d, workTol) < half);
  return !records.empty();
}
