#include "heating/layout/spiral/SpiralDetours.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/spiral/CFHConnectorCandidate.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/offsets/LayoutSegmentTags.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/offsets/NarrowSectionWindows.h"
#include "heating/layout/offsets/OffsetEdgePath.h"
#include "heating/layout/record/OffsetGraphQueries.h"
#include "heating/layout/offsets/ParallelSections.h"

#include "heating/curves/CFHBoundLoop.h"
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_set>

namespace {

// Distances in spacings: the clearance of a connector from the laid pipe,
// how far the ray of an end moved on its own looks (the rays of two ends
// moved together look as far as the laid pipe reaches), the clearance of a
// moved end from the boundary and the reach of one group of candidates
// along T.
constexpr double kConnectorClearance = 0.75;
constexpr double kRayReach = 2.231;
constexpr double kRayBoundaryClearance = 0.5;
constexpr double kGroupReach = 2.6;
// Offsets closer than this many point tolerances count as one.
constexpr double kOffsetTie = 14.0;
// The share of a spacing by which a detour may come nearer the wall than the
// first offset (the layout checks allow twice as much).
constexpr double kWallSlack = 0.005;
constexpr int kMostPasses = 100000;

double pointTol() { return workTol.equalPoint(); }

// The box (x0, y0, x1, y1) of a loop's section ends.
std::array<double, 4> boxOf(const COffsetLoop& loop) {
  std::array<double, 4> b{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (int i = 0; i < loop.sectionCount(); ++i) {
    const COffsetSection* section = loop.section(i);
    if (!section->hasCurve()) continue;
    for (const XtGePoint2d& p : {section->startPoint(), section->endPoint()})
      b = {std::min(b[0], p.x), std::min(b[1], p.y), std::max(b[2], p.x), std::max(b[3], p.y)};
  }
  return b;
}

bool boxesMeet(const std::array<double, 4>& a, const XtGePoint2d& p, const XtGePoint2d& q, double margin) {
  return !(std::max(p.x, q.x) + margin < a[0] || std::min(p.x, q.x) - margin > a[2] ||
           std::max(p.y, q.y) + margin < a[1] || std::min(p.y, q.y) - margin > a[3]);
}

// The length of the free intervals left on every active record.
double freeLength(const std::vector<COffsetNarrowLoopSection*>& narrows) {
  double sum = 0.0;
  for (const COffsetNarrowLoopSection* narrow : narrows)
    for (const COffsetFreeIntervals& record : narrow->freeIntervals) {
      if (!record.active || record.section == nullptr || !record.section->hasCurve()) continue;
      const XtGeCurve2d& curve = record.section->curve->geCurve();
      for (const XtGeInterval& free : record.intervals)
        sum += curve.length(free.lowerBound(), free.upperBound(), workTolFine);
    }
  return sum;
}

// Whether a record of the narrow loop section still has a free interval (a
// record the windows left without one counts as taken, active or not).
bool hasFreeStretch(const COffsetNarrowLoopSection& narrow) {
  return std::any_of(narrow.freeIntervals.begin(), narrow.freeIntervals.end(),
                     [](const COffsetFreeIntervals& r) { return r.active && !r.intervals.empty(); });
}

// Drops the narrow loop sections with nothing free; false when none is left.
bool dropSpent(std::vector<COffsetNarrowLoopSection*>& narrows) {
  for (COffsetNarrowLoopSection*& narrow : narrows) {
    if (hasFreeStretch(*narrow)) continue;
    delete narrow;
    narrow = nullptr;
  }
  narrows.erase(std::remove(narrows.begin(), narrows.end(), nullptr), narrows.end());
  return !narrows.empty();
}

// The length along T from its start to the foot of the point on it.
double along(const CFloorHeatingCurve& t, const XtGePoint2d& p) {
  return t.closestPointTo(p).distanceTo(t.startPoint());
}

// One section of a narrow loop section beside T: its position in the loop,
// whether it runs against T, and the stretch of T it faces (parameters).
struct Item {
  int section = -1;
  bool against = false;
  XtGeInterval onT;
};

// The items of one narrow loop section beside T.
struct Record {
  int narrow = -1;
  double key = 0.0;
  std::vector<Item> items;
};

struct Detours {
  CFHCircuitLayout& layout;
  std::vector<COffsetNarrowLoopSection*>& narrows;
  std::vector<const CFloorHeatingCurve*> items;
  double s;
  EdgePathIndex paths;
  // How near the wall a detour may come: its first offset, a little less.
  double wallClearance = 0.0;

  void refresh() { paths.rebuild(layout.edges, s); }
};

// The path pieces of an edge (its loop path), each cutting its window from
// every narrow loop section near it.
void cutWindowsOf(Detours& work, const COffsetEdge* edge, std::vector<std::array<double, 4>>& boxes) {
  CFloorHeatingCurve::PtrVector pieces;
  if (!offsetEdgePathAlongLoop(edge, pieces)) return;
  const double margin = (1.0 + kConnectorClearance) * work.s + pointTol();
  for (const auto& piece : pieces) {
    if (!(piece->length() > pointTol())) continue;
    XtGeInterval range;
    piece->geCurve().getInterval(range);
    const XtGeInterval interval(range.lowerBound(), range.upperBound(), 1e-12);
    for (std::size_t i = 0; i < work.narrows.size(); ++i)
      if (boxesMeet(boxes[i], piece->startPoint(), piece->endPoint(), margin))
        cutWindow(*work.narrows[i], *piece, interval, workTol);
  }
}

// The coverage: the windows of the whole path cut from the narrow list.
bool cutCoveredWindows(Detours& work) {
  std::vector<std::array<double, 4>> boxes;
  boxes.reserve(work.narrows.size());
  for (const COffsetNarrowLoopSection* narrow : work.narrows) boxes.push_back(boxOf(*narrow));
  std::unordered_set<const COffsetEdge*> passed;
  for (const COffsetEdge* edge = work.layout.firstEdge; edge != nullptr && passed.insert(edge).second;) {
    cutWindowsOf(work, edge, boxes);
    if (edge == work.layout.lastEdge || edge->b == nullptr) break;
    edge = edge->b->otherEdgeIfUnique(edge);
  }
  return dropSpent(work.narrows);
}

std::vector<Record> recordsBeside(const Detours& work, const CFloorHeatingCurve& t) {
  std::vector<Record> records;
  for (std::size_t i = 0; i < work.narrows.size(); ++i) {
    ParallelSections beside;
    if (!parallelSectionsOf(beside, t, *work.narrows[i], work.s, workTol)) continue;
    Record record{static_cast<int>(i), beside.key, {}};
    for (const ParallelSections::Entry& entry : beside.entries)
      record.items.push_back({entry.section, entry.against, entry.interval});
    records.push_back(std::move(record));
  }
  sortByKeyThenMax(records);
  return records;
}

// Each item's stretch of T cut to R ... T's end; items shorter than s/2
// along T go, and records left without items.
void bringUpToDate(std::vector<Record>& records, const CFloorHeatingCurve& t, double r, double s) {
  const double length = t.length();
  XtGeInterval range;
  t.geCurve().getInterval(range);
  const double rParam = t.geCurve().paramOf(t.pointAtLength(r), workTolFine);
  for (Record& record : records) {
    std::vector<Item> kept;
    for (Item& item : record.items) {
      const double lo = std::max(item.onT.lowerBound(), rParam);
      const double hi = item.onT.upperBound();
      const double span = range.length() > 0.0 ? (hi - lo) / range.length() * length : 0.0;
      if (!(span >= 0.5 * s)) continue;
      item.onT = XtGeInterval(lo, hi, 1e-12);
      kept.push_back(item);
    }
    record.items = std::move(kept);
  }
  records.erase(std::remove_if(records.begin(), records.end(), [](const Record& r) { return r.items.empty(); }),
                records.end());
}

// The part of the item's section that faces its stretch of T, as an
// interval of the section's curve (tolerance 0.01 of the unit factor).
XtGeInterval facingInterval(const CFloorHeatingCurve& t, const CFloorHeatingCurve& section, const XtGeInterval& onT) {
  const XtGeCurve2d& curve = section.geCurve();
  const double p0 = curve.paramOf(section.closestPointTo(t.geCurve().evalPoint(onT.lowerBound())), workTolFine);
  const double p1 = curve.paramOf(section.closestPointTo(t.geCurve().evalPoint(onT.upperBound())), workTolFine);
  const double length = section.length();
  const double tol = length > 0.0 ? 0.01 * usableDrawingUnitFactor() / length : 1e-12;
  return XtGeInterval(std::min(p0, p1), std::max(p0, p1), tol);
}

// The three connectors of a candidate keep clear of the pipe and the
// boundary.
bool connectorsClear(const Detours& work, const XtGePoint2d& pA, const XtGePoint2d& a, const XtGePoint2d& b,
                     const XtGePoint2d& pB) {
  return hairpinKeepsClear(work.layout, work.paths, work.items, pA, a, b, pB);
}

// The candidate to lay: of those within 2.6 s along T of the first, the
// one farthest from T, of equally far ones the first along T.
const CFHConnectorCandidate& chooseCandidate(std::vector<CFHConnectorCandidate>& candidates, double s) {
  std::stable_sort(candidates.begin(), candidates.end(), compareByFourthValue<CFHConnectorCandidate>);
  const double reach = candidates.front().position + kGroupReach * s;
  candidates.erase(std::find_if(candidates.begin(), candidates.end(),
                                [&](const CFHConnectorCandidate& c) { return c.position > reach; }),
                   candidates.end());
  sortByThirdThenFourth(candidates, kOffsetTie * pointTol());
  return candidates.back();
}

// Whether the line keeps 0.75 s from the laid pipe (the pipe within that
// of the foot left out) and 0.5 s (or `wallClearance`, when more) from the
// boundary items.
bool lineClear(const EdgePathIndex& paths, const XtGePoint2d& from, const XtGePoint2d& to, const XtGePoint2d* foot,
               const std::vector<const CFloorHeatingCurve*>& items, double s, double wallClearance) {
  if (paths.meetsSegment(from, to, kConnectorClearance * s, foot)) return false;
  const CFloorHeatingLine line(from, to, nullptr, kTagTestLine);
  return items.empty() || !curveNearAnyCurve(line, items, std::max(kRayBoundaryClearance * s, wallClearance));
}

// A detour's lines are chosen 0.75 s from the laid pipe beyond its feet;
// where they come nearer than s (kSpacingKept) to it, a pipe beside its
// neighbour nearer than the spacing (a hairpin's end beside the slanted
// run round a corridor's slanted far end), A and B are drawn back towards
// P_A and P_B, each by a multiple of s/16 (kPullBack, its leg no shorter
// than 0.75 s), the least drawn back in all first, to the first hairpin
// that keeps s (a leg drawn back alone slants the hairpin's end along a
// slanted run); none: the detour stays as chosen.
constexpr double kSpacingKept = 0.99;
constexpr double kPullBack = 0.0625;
constexpr int kMostPullBacks = 8;

void pullBackToSpacing(const Detours& work, CFHConnectorCandidate& c) {
  const double s = work.s;
  if (hairpinKeepsClear(work.layout, work.paths, work.items, c.pA, c.a, c.b, c.pB, kSpacingKept)) return;
  const XtGeVector2d legA = c.a - c.pA;
  const XtGeVector2d legB = c.b - c.pB;
  const double lengthA = legA.length();
  const double lengthB = legB.length();
  if (!(lengthA > pointTol()) || !(lengthB > pointTol())) return;
  for (int total = 1; total <= 2 * kMostPullBacks; ++total) {
    for (int k = std::max(0, total - kMostPullBacks); k <= std::min(total, kMostPullBacks); ++k) {
      const double cutA = k * kPullBack * s;
      const double cutB = (total - k) * kPullBack * s;
      if (lengthA - cutA < kConnectorClearance * s || lengthB - cutB < kConnectorClearance * s) continue;
      const XtGePoint2d a = c.pA + legA * ((lengthA - cutA) / lengthA);
      const XtGePoint2d b = c.pB + legB * ((lengthB - cutB) / lengthB);
      if (hairpinKeepsClear(work.layout, work.paths, work.items, c.pA, a, b, c.pB, kSpacingKept)) {
        c.a = a;
        c.b = b;
        return;
      }
    }
  }
}

// The detour of the candidate on the edge holding T; answers the point on
// T at which the rest of the edge starts (K2).
XtGePoint2d layDetour(Detours& work, COffsetEdge* edge, const CFloorHeatingCurve& t, CFHConnectorCandidate c,
                      COffsetNarrowLoopSection& narrow, int section) {
  const XtGePoint2d a0 = c.a;
  const XtGePoint2d b0 = c.b;
  bool moved = castRayPairToPaths(c.pA, c.a, work.paths, t, work.items, work.s, work.wallClearance);
  bool movedB = castRayPairToPaths(c.pB, c.b, work.paths, t, work.items, work.s, work.wallClearance);
  // The pair test clears only the leg it moves: the line A -> B between a
  // moved end and the other must keep clear as well (it may cut a reflex
  // corner of the wall, or pass the pipe), else both ends stay.
  if ((moved || movedB) && !lineClear(work.paths, c.a, c.b, nullptr, work.items, work.s, work.wallClearance)) {
    c.a = a0;
    c.b = b0;
    moved = movedB = false;
  }
  if (!moved && !movedB) castRaysToPaths(c.pA, c.a, c.pB, c.b, work.paths, t, work.items, work.s, work.wallClearance);
  pullBackToSpacing(work, c);

  const XtGePoint2d rest = spliceHairpin(work.layout, *edge, c.pA, c.a, c.b, c.pB);
  const CFloorHeatingLine line(c.a, c.b, nullptr, kTagSpiralLine);
  cutWindowAlongSegment(narrow, t, section, line.segment(), workTol);
  work.refresh();
  return rest;
}

// The detours beside one path piece T of the edge.
void detourPiece(Detours& work, COffsetEdge* edge, const CFloorHeatingCurve& t) {
  const double s = work.s;
  const double length = t.length();
  if (!(length > pointTol())) return;
  std::vector<Record> records = recordsBeside(work, t);
  if (records.empty()) return;
  XtGeInterval range;
  t.geCurve().getInterval(range);
  double facing = 0.0;
  for (const Record& record : records)
    for (const Item& item : record.items) facing += item.onT.length() / range.length() * length;
  const double passes = std::min(length / s + 2.0 * facing / s + 2.0, static_cast<double>(kMostPasses));
  double r = 0.0;
  for (int pass = 0; pass < passes && r < length - pointTol(); ++pass) {
    if (r > pointTol()) bringUpToDate(records, t, r, s);
    if (records.empty()) return;
    const double freeBefore = freeLength(work.narrows);
    CFloorHeatingCurve::PtrVector pieces;
    std::vector<CFHConnectorCandidate> candidates;
    bool rejected = false;
    for (std::size_t ri = 0; ri < records.size(); ++ri) {
      const COffsetNarrowLoopSection& narrow = *work.narrows[static_cast<std::size_t>(records[ri].narrow)];
      for (std::size_t ii = 0; ii < records[ri].items.size(); ++ii) {
        const Item& item = records[ri].items[ii];
        const COffsetSection* section = narrow.section(item.section);
        FreeStretch stretch;
        if (!section->hasCurve() ||
            !nextFreeStretch(narrow, item.section, facingInterval(t, *section->curve, item.onT), !item.against,
                             stretch))
          continue;
        const XtGePoint2d pA = t.closestPointTo(stretch.first);
        const XtGePoint2d pB = t.closestPointTo(stretch.second);
        if (pA.isEqualTo(pB, workTol) || along(t, pA) < r - pointTol()) continue;
        if (!connectorsClear(work, pA, stretch.first, stretch.second, pB)) {
          rejected = true;
          continue;
        }
        pieces.push_back(std::make_unique<CFloorHeatingLine>(stretch.first, stretch.second, nullptr, kTagSpiralLine));
        candidates.emplace_back(pieces.back().get(), t, static_cast<std::int32_t>(ri), static_cast<std::int32_t>(ii),
                                pA, stretch.first, stretch.second, pB);
      }
    }
    const double before = r;
    if (rejected) r += s;
    if (!candidates.empty()) {
      const CFHConnectorCandidate& chosen = chooseCandidate(candidates, s);
      const Record& record = records[static_cast<std::size_t>(chosen.record)];
      r = along(t, layDetour(work, edge, t, chosen, *work.narrows[static_cast<std::size_t>(record.narrow)],
                             record.items[static_cast<std::size_t>(chosen.item)].section));
    }
    if (candidates.empty() && !(rejected && r < length)) return;
    if (!(r > before + pointTol()) && !(freeLength(work.narrows) < freeBefore - pointTol())) return;
  }
}

void detourEdge(Detours& work, COffsetEdge* edge) {
  CFloorHeatingCurve::PtrVector pieces;
  if (!offsetEdgePathAlongLoop(edge, pieces)) return;
  for (const auto& piece : pieces) {
    if (work.narrows.empty()) return;
    detourPiece(work, edge, *piece);
  }
}

// The edges of a block, from `edge` outward (towards lastEdge through each
// edge's second node, or towards firstEdge through its first), up to and
// with `stop`.
void detourBlock(Detours& work, COffsetEdge* edge, bool towardsLast, const COffsetEdge* stop) {
  const std::size_t bound = 2 * work.layout.edges.size() + 16;
  for (std::size_t step = 0; edge != nullptr && step < bound; ++step) {
    if (!dropSpent(work.narrows)) return;
    COffsetNode* far = towardsLast ? edge->b : edge->a;
    const bool last = edge == stop;
    detourEdge(work, edge);
    if (last || far == nullptr) return;
    edge = towardsLast ? outgoingEdgeIfUnique(*far) : incomingEdgeIfUnique(*far);
  }
}

// The ray from q away from p: the distance h to the nearest piece of the
// laid pipe beyond `least` (workTolFine first when fineFirst, else
// heatingTolCoarse beyond 0.75 s) and the ray's unit direction; `bounded`:
// nearer than 2.231 s, otherwise any piece the ray meets counts.
bool rayHit(const EdgePathIndex& paths, const XtGePoint2d& p, const XtGePoint2d& q, double least, double s,
            bool fineFirst, bool bounded, double& h, XtGeVector2d& unit) {
  unit = q - p;
  const double length = unit.length();
  if (!(length > pointTol())) return false;
  unit = unit / length;
  const double most = bounded ? kRayReach * s : paths.reachFrom(q) + s;
  return (fineFirst && paths.nearestRayHit(q, unit, least, most, workTolFine, h)) ||
         paths.nearestRayHit(q, unit, fineFirst ? kConnectorClearance * s : least, most, heatingTolCoarse, h);
}


}  // namespace

bool castRayPairToPaths(const XtGePoint2d& p, XtGePoint2d& q, const EdgePathIndex& paths,
                        const CFloorHeatingCurve& pathPiece, const std::vector<const CFloorHeatingCurve*>& boundaryItems,
                        double s, double wallClearance) {
  double h = 0.0;
  XtGeVector2d unit;
  if (!rayHit(paths, p, q, s + pointTol(), s, true, true, h, unit)) return false;
  const XtGePoint2d moved = q + unit * (h - s);
  const XtGePoint2d foot = pathPiece.closestPointTo(p);
  if (!lineClear(paths, p, moved, &foot, boundaryItems, s, wallClearance)) return false;
  q = moved;
  return true;
}

bool castRaysToPaths(const XtGePoint2d& pA, XtGePoint2d& a, const XtGePoint2d& pB, XtGePoint2d& b,
                     const EdgePathIndex& paths, const CFloorHeatingCurve& pathPiece,
                     const std::vector<const CFloorHeatingCurve*>& boundaryItems, double s, double wallClearance) {
  double h1 = 0.0;
  double h2 = 0.0;
  XtGeVector2d u1;
  XtGeVector2d u2;
  const double least = kConnectorClearance * s;
  if (!rayHit(paths, pA, a, least, s, true, false, h1, u1) || !rayHit(paths, pB, b, least, s, true, false, h2, u2))
    return false;
  const XtGePoint2d a2 = a + u1 * (h1 - s);
  const XtGePoint2d b2 = b + u2 * (h2 - s);
  const XtGePoint2d footA = pathPiece.closestPointTo(pA);
  const XtGePoint2d footB = pathPiece.closestPointTo(pB);
  if (!lineClear(paths, pA, a2, &footA, boundaryItems, s, wallClearance) ||
      !lineClear(paths, a2, b2, nullptr, boundaryItems, s, wallClearance) ||
      !lineClear(paths, b2, pB, &footB, boundaryItems, s, wallClearance))
    return false;
  a = a2;
  b = b2;
  return true;
}

void layDetours(CFHCircuitLayout& layout, std::vector<COffsetNarrowLoopSection*>& narrows, COffsetNode* inEnd,
                COffsetNode* outEnd, COffsetEdge* closing) {
  if (layout.firstEdge == nullptr || !(layout.spacing > 0.0)) return;
  Detours work{layout, narrows, boundaryItems(layout), layout.spacing, {}};
  work.wallClearance = detourWallClearance(layout);
  if (!cutCoveredWindows(work)) return;
  work.refresh();
  if (closing != nullptr) detourBlock(work, closing, true, closing);
  if (outEnd != nullptr) detourBlock(work, outgoingEdgeIfUnique(*outEnd), true, layout.lastEdge);
  if (inEnd != nullptr) detourBlock(work, incomingEdgeIfUnique(*inEnd), false, layout.firstEdge);
  dropSpent(narrows);
}

std::vector<const CFloorHeatingCurve*> boundaryItems(const CFHCircuitLayout& layout) {
  std::vector<const CFloorHeatingCurve*> items;
  if (layout.boundary != nullptr)
    for (const CLoopElement* item : layout.boundary->workingLoop.elements)
      if (item != nullptr && item->hasCurve()) items.push_back(item->curve);
  return items;
}

double detourWallClearance(const CFHCircuitLayout& layout) {
  return std::max(0.0, layout.firstOffset - kWallSlack * layout.spacing);
}

bool hairpinKeepsClear(const CFHCircuitLayout& layout, const EdgePathIndex& paths,
                       const std::vector<const CFloorHeatingCurve*>& items, const XtGePoint2d& pA,
                       const XtGePoint2d& a, const XtGePoint2d& b, const XtGePoint2d& pB, double spacings) {
  const double limit = spacings * layout.spacing;
  // A connector keeps the detours' wall clearance (the first offset, a
  // little less), not only 0.75 d0: that alone let a pipe come nearer the
  // wall than its first offset beside the notches of U rooms with a fixed
  // border.
  const double boundaryLimit = std::max(kConnectorClearance * layout.firstOffset, detourWallClearance(layout));
  const XtGePoint2d* feet[3] = {&pA, nullptr, &pB};
  const XtGePoint2d* from[3] = {&pA, &a, &b};
  const XtGePoint2d* to[3] = {&a, &b, &pB};
  for (int k = 0; k < 3; ++k) {
    if (paths.meetsSegment(*from[k], *to[k], limit, feet[k])) return false;
    if (!items.empty() &&
        curveNearAnyCurve(CFloorHeatingLine(*from[k], *to[k], nullptr, kTagTestLine), items, boundaryLimit))
      return false;
  }
  return true;
}

XtGePoint2d spliceHairpin(CFHCircuitLayout& layout, COffsetEdge& edge, const XtGePoint2d& pA, const XtGePoint2d& a,
                          const XtGePoint2d& b, const XtGePoint2d& pB) {
  COffsetLoop* loop = isStraightEdge(edge) ? nullptr : edge.a->owner;
  CLoopPoint k1(pA);
  CLoopPoint k2(pB);
  if (loop != nullptr && (!loop->closestPoint(pA, k1, workTol) || !loop->closestPoint(pB, k2, workTol))) {
    k1 = CLoopPoint(pA);
    k2 = CLoopPoint(pB);
    loop = nullptr;
  }
  layout.nodes.reserve(layout.nodes.size() + 4);
  layout.edges.reserve(layout.edges.size() + 4);
  auto n1 = std::make_unique<COffsetNode>(k1, loop);
  auto na = std::make_unique<COffsetNode>(a, static_cast<COffsetSection*>(nullptr), nullptr);
  auto nb = std::make_unique<COffsetNode>(b, static_cast<COffsetSection*>(nullptr), nullptr);
  auto n2 = std::make_unique<COffsetNode>(k2, loop);
  for (COffsetNode* n : {n1.get(), na.get(), nb.get(), n2.get()}) n->edges.reserve(2);
  auto e1 = COffsetEdge::COffsetEdgeFromNodes(n1.get(), na.get(), 1, true);
  auto e2 = COffsetEdge::COffsetEdgeFromNodes(na.get(), nb.get(), 1, true);
  auto e3 = COffsetEdge::COffsetEdgeFromNodes(nb.get(), n2.get(), 1, true);
  const XtGePoint2d rest = n2->point;
  COffsetNode* first = n1.get();
  COffsetNode* second = n2.get();
  for (auto* n : {&n1, &na, &nb, &n2}) layout.nodes.push_back(n->release());
  for (auto* e : {&e1, &e2, &e3}) layout.edges.push_back(e->release());
  COffsetEdge* head = edge.splitAt(first, second, layout.edges);
  if (head != nullptr) head->flags = edge.flags;
  if (&edge == layout.firstEdge && head != nullptr) layout.firstEdge = head;
  return rest;
}
