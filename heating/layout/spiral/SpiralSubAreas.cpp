// The sub-areas of a spiral: where a level falls apart into lobes, each lobe
// gets a spiral of its own, threaded into the main in-run one after the
// other along the in-run end's loop; slivers are left to the detours.
#include "heating/layout/spiral/CFHSubLayoutLink.h"
#include "heating/layout/offsets/PointSegmentDistance.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/offsets/LayoutSegmentTags.h"
#include "heating/layout/meander/MeanderChain.h"
#include "heating/layout/offsets/OffsetLoopParts.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"
#include "heating/layout/spiral/SpiralRun.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <numbers>
#include <unordered_set>

namespace {

// The entry's steps back from a slanted lead-out (each closes most of the
// shortfall: the lead-out meets L at 45 degrees or more where it matters).
constexpr int kLeadApartSteps = 8;
// L turns at least this much (radians) at a corner for it to count as one:
// the leads of an entry there leave L on two sides of it, and L beyond it
// may come back beside the lead-out of an exit short of it.
constexpr double kCornerTurnApart = std::numbers::pi / 4.0;


// The probe's meeting with L farthest along L from inEnd, short of the limit.
bool farthestProbeHit(const COffsetLoop& l, const COffsetNode& inEnd, const COffsetNode& outEnd,
                      const COffsetLoop& lobe, double s, bool d, CLoopPoint& x) {
  const double limit = l.lengthBetween(inEnd, outEnd, d, workTol) - s + workTol.equalPoint();
  double best = 0.0;
  bool found = false;
  for (int i = 0; i < lobe.sectionCount(); ++i) {
    const COffsetSection* section = lobe.section(i);
    XtGeLineSeg2d probe;
    if (!section->hasCurve() || !(d ? extensionSegmentAtStart(*section->curve, 1.5 * s, probe)
                                    : extensionSegmentAtEnd(*section->curve, 1.5 * s, probe)))
      continue;
    const CFloorHeatingLine line(probe, kTagTestLine);
    CLoopPoint hit;
    if (!l.farthestIntersection(line, outEnd, hit, workTol)) continue;
    const double along = l.lengthBetween(inEnd, hit, d, workTol);
    if (along > best && along < limit) {
      best = along;
      x = hit;
      found = true;
    }
  }
  return found;
}

// The sub-area's lead-out runs from the exit to the lobe's nearest point,
// and its lead-in, which the sub-spiral sets parallel to it, from the
// entry. Where the lobe's corner beside the exit is acute the lead-out
// leaves L slanted, and the entry one spacing back along L comes nearer
// than s to it: the two leads, and later the detour along the lobe's side
// that ends at the lead-out, run side by side less than s apart. The entry
// then moves further back along L (towards the in-run end, never past it)
// until it lies s from the lead-out. (An entry at L's corner stays: the
// leads then leave L on two sides.)
void keepLeadsApart(const COffsetLoop& l, const COffsetNode& inEnd, const COffsetLoop& lobe, const XtGePoint2d& exit,
                    double s, bool d, CLoopPoint& entry) {
  CLoopPoint q2;
  if (!lobe.closestPoint(exit, q2, workTol)) return;
  for (int i = 0; i < kLeadApartSteps; ++i) {
    const double shortBy = s - pointSegmentDistance(entry.point, exit, q2.point);
    if (shortBy <= workTol.equalPoint()) return;
    CLoopPoint back;
    if (l.lengthBetween(inEnd, entry, d, workTol) <= shortBy || !l.walkFrom(entry, !d, shortBy, back, workTol)) return;
    entry = back;
  }
}

// How far L turns (radians, 0 to pi) where `element` meets the element
// before it (d) or after it (!d): between the way along L into that corner
// and the way out of it. 0 without a neighbour with a curve.
double cornerTurn(const COffsetLoop& l, const CLoopElement& element, bool d) {
  const int i = l.indexOf(&element);
  if (i < 0 || !element.hasCurve()) return 0.0;
  const CLoopElement* neighbour = l.elementWithCurve(d ? l.previousIndex(i) : l.nextIndex(i));
  if (neighbour == nullptr) return 0.0;
  const CFloorHeatingCurve& before = d ? *neighbour->curve : *element.curve;
  const CFloorHeatingCurve& after = d ? *element.curve : *neighbour->curve;
  const XtGeVector2d in = outwardTangentAtEnd(before);
  const XtGeVector2d out = -outwardTangentAtStart(after);
  const double lengths = in.length() * out.length();
  if (!(lengths > 0.0)) return 0.0;
  return std::acos(std::clamp(in.dotProduct(out) / lengths, -1.0, 1.0));
}

// The exit short of a corner where L turns sharply (kCornerTurnApart or
// more) and comes back beside the lead-out: the main path goes on along L
// past the corner, and the lead-out, which leaves L slanted towards the
// lobe's nearest point, runs beside L's next section nearer than s. The
// exit and the entry then move back along L (never past the in-run end, at
// most kLeadApartSteps times) until the lead-out keeps s from the first 2 s
// of that section (sampled every s / 8).
void keepExitClearOfCornerAhead(const COffsetLoop& l, const COffsetNode& inEnd, const COffsetLoop& lobe, double s,
                                bool d, CLoopPoint& exit, CLoopPoint& entry) {
  constexpr int kSamples = 16;
  for (int step = 0; step < kLeadApartSteps; ++step) {
    const CLoopElement* element = exit.outgoingLink(d, workTol);
    if (element == nullptr || !element->hasCurve() || cornerTurn(l, *element, !d) < kCornerTurnApart) return;
    const int i = l.indexOf(element);
    const CLoopElement* beyond = l.elementWithCurve(d ? l.nextIndex(i) : l.previousIndex(i));
    CLoopPoint q2;
    if (beyond == nullptr || !lobe.closestPoint(exit.point, q2, workTol)) return;
    const CFloorHeatingCurve& side = *beyond->curve;
    const double length = side.length();
    double nearest = s;
    for (int k = 0; k <= kSamples; ++k) {
      const double along = std::min(length, 2.0 * s * k / kSamples);
      const XtGePoint2d p = side.pointAtLength(d ? along : length - along);
      nearest = std::min(nearest, pointSegmentDistance(p, exit.point, q2.point));
    }
    const double shortBy = s - nearest;
    if (shortBy <= workTol.equalPoint()) return;
    CLoopPoint exitBack;
    CLoopPoint entryBack;
    if (l.lengthBetween(inEnd, entry, d, workTol) <= shortBy || !l.walkFrom(exit, !d, shortBy, exitBack, workTol) ||
        !l.walkFrom(entry, !d, shortBy, entryBack, workTol))
      return;
    exit = exitBack;
    entry = entryBack;
  }
}

// The lead-in (from the entry parallel to the lead-out, as the sub-spiral
// sets it) slanted back towards the run that comes along L to the entry,
// where the lobe's nearest point lies behind the entry along L: beyond the
// first 2 s of pipe round the entry (a turn's own pieces) the lead-in and
// that run come nearer than s (kLeadInKept), the pipe at the sub-area's door
// 0.87-0.92 s from the run it left. The entry and the exit then move back
// along L together, s/8 at a time (never past the in-run end, at most
// kLeadInSteps times), to the first place where the lead-in keeps s; none:
// both stay. (An entry at L's corner stays, as for keepLeadsApart.)
constexpr double kLeadInKept = 0.99;
constexpr int kLeadInSteps = 16;
constexpr int kLeadInSamples = 24;

// The nearest the lead-in from `entry` along `lead` comes to L's 3 s behind
// the entry, over pairs more than 2 s apart along the pipe.
double leadInClearance(const COffsetLoop& l, const CLoopPoint& entry, const XtGeVector2d& lead, double s, bool d) {
  const double length = lead.length();
  double nearest = std::numeric_limits<double>::infinity();
  if (!(length > workTol.equalPoint())) return nearest;
  const XtGeVector2d unit = lead / length;
  for (int k = 1; k <= kLeadInSamples; ++k) {
    const double u = 3.0 * s * k / kLeadInSamples;
    CLoopPoint behind;
    if (!l.walkFrom(entry, !d, u, behind, workTol)) break;
    const double from = std::max(0.0, 2.0 * s - u);
    if (from >= length) continue;
    nearest = std::min(nearest, pointSegmentDistance(behind.point, entry.point + unit * from, entry.point + lead));
  }
  return nearest;
}

void keepLeadInClearOfRunBehind(const COffsetLoop& l, const COffsetNode& inEnd, const COffsetLoop& lobe, double s,
                                bool d, CLoopPoint& exit, CLoopPoint& entry) {
  CLoopPoint movedExit = exit;
  CLoopPoint movedEntry = entry;
  for (int step = 0; step <= kLeadInSteps; ++step) {
    CLoopPoint q2;
    if (!lobe.closestPoint(movedExit.point, q2, workTol)) return;
    if (leadInClearance(l, movedEntry, q2.point - movedExit.point, s, d) >= kLeadInKept * s) {
      exit = movedExit;
      entry = movedEntry;
      return;
    }
    const double back = 0.125 * s;
    CLoopPoint exitBack;
    CLoopPoint entryBack;
    if (step == kLeadInSteps || l.lengthBetween(inEnd, movedEntry, d, workTol) <= back ||
        !l.walkFrom(movedExit, !d, back, exitBack, workTol) || !l.walkFrom(movedEntry, !d, back, entryBack, workTol))
      return;
    movedExit = exitBack;
    movedEntry = entryBack;
  }
}

// Gives a node that the sub-area made at its entry or exit the main loop as
// owner and the sections of its closest point as links.
void putOnLoop(COffsetNode& node, COffsetLoop& loop) {
  CLoopPoint at;
  if (!loop.closestPoint(node.point, at, workTol)) return;
  node.clearLinks();
  node.owner = &loop;
  node.point = at.point;
  for (CLoopElement* link : at.links()) node.addSection(static_cast<COffsetSection*>(link));
}

// Whether a node of the graph lies on a loop of the record (its levels or
// its handed-over loops).
bool carriesNodes(const CFHCircuitLayout& sub, const std::vector<COffsetNode*>& nodes) {
  std::unordered_set<const COffsetLoop*> loops(sub.handedOverLoops.begin(), sub.handedOverLoops.end());
  for (const CFHCircuitLayout::Level* level : sub.levels)
    if (level != nullptr) loops.insert(level->begin(), level->end());
  return std::any_of(nodes.begin(), nodes.end(), [&](const COffsetNode* n) { return loops.count(n->owner) > 0; });
}

// Whether the sub-area is one loop and that loop is nothing but neck (its
// sides nearer than s everywhere, isAllNeck).
bool isAllNeckLobe(const CFHCircuitLayout& sub, double s) {
  if (sub.levels.size() != 1 || sub.levels.front() == nullptr || sub.levels.front()->size() != 1) return false;
  const COffsetLoop* lobe = sub.levels.front()->front();
  LoopPartTable table;
  return lobe != nullptr && lobe->sectionCount() >= 3 && fillLoopPartTable(*lobe, s, table) && isAllNeck(table);
}

}  // namespace

void setApartThinLobes(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  std::vector<CFHCircuitLayout*>& subs = layout.subAreas;
  for (std::size_t i = 0; i < subs.size();) {
    CFHCircuitLayout* sub = subs[i];
    const COffsetLoop* lobe = sub != nullptr ? sub->firstOffsetLoop() : nullptr;
    if (lobe == nullptr ||
        (loopMeanWidth(*lobe, workTol) >= kThinLobeWidth * layout.spacing && !isAllNeckLobe(*sub, layout.spacing)) ||
        carriesNodes(*sub, layout.nodes)) {
      ++i;
      continue;
    }
    for (const CFHCircuitLayout::Level* level : sub->levels) {
      if (level == nullptr) continue;
      run.narrows.reserve(run.narrows.size() + level->size());
      for (const COffsetLoop* loop : *level)
        if (loop != nullptr) run.narrows.push_back(makeNarrowLoopSection(*loop).release());
    }
    delete sub;
    subs.erase(subs.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

CFHSubLayoutLink::CFHSubLayoutLink(const COffsetNode& inEnd, const COffsetNode& outEnd, CFHCircuitLayout* sub,
                                   bool d)
    : subLayout(sub) {
  const COffsetLoop* l = inEnd.owner;
  const COffsetLoop* lobe = sub != nullptr ? sub->firstOffsetLoop() : nullptr;
  if (l == nullptr || lobe == nullptr) return;
  const double s = sub->spacing;
  CLoopPoint x;
  CLoopPoint entry;
  if (!farthestProbeHit(*l, inEnd, outEnd, *lobe, s, d, x) || !l->walkFrom(x, !d, s, entry, workTol)) return;
  const CLoopElement* element = x.outgoingLink(d, workTol);
  CLoopPoint corner;
  bool atCorner = false;
  if (element != nullptr && element->hasCurve() &&
      l->closestPoint(d ? element->curve->startPoint() : element->curve->endPoint(), corner, workTol)) {
    const double rest = s - x.point.distanceTo(corner.point);
    CLoopPoint moved;
    if (rest > 0.0 && l->walkFrom(x, d, rest, moved, workTol)) {
      entry = corner;
      x = moved;
      atCorner = cornerTurn(*l, *element, d) >= kCornerTurnApart;
    }
  }
  keepExitClearOfCornerAhead(*l, inEnd, *lobe, s, d, x, entry);
  if (!atCorner) {
    keepLeadsApart(*l, inEnd, *lobe, x.point, s, d, entry);
    keepLeadInClearOfRunBehind(*l, inEnd, *lobe, s, d, x, entry);
  }
  entryPoint = entry.point;
  exitPoint = x.point;
  usable = true;
}

bool CFHSubLayoutLink::runSpiral(COffsetNode*& first, COffsetNode*& last, std::vector<COffsetNode*>& nodes,
                                 std::vector<COffsetEdge*>& edges) {
  if (!usable || subLayout == nullptr) return false;
  CFHCircuitLayout& sub = *subLayout;
  sub.pipeEnds.reserve(sub.pipeEnds.size() + 2);
  sub.pipeEnds.push_back(new CFHPipeEnd(entryPoint, 0, 0));
  sub.startEnd = sub.pipeEnds.back();
  sub.pipeEnds.push_back(new CFHPipeEnd(exitPoint, 0, 0));
  sub.endEnd = sub.pipeEnds.back();
  if (const SpiralHooks* hooks = spiralHooks(); hooks != nullptr && hooks->beforeSubArea && !hooks->beforeSubArea(sub))
    return false;
  if (!sub.layoutSpiral() || sub.edges.empty() || !isSinglePath(sub) || sub.firstEdge->a == nullptr ||
      sub.lastEdge->b == nullptr)
    return false;
  first = sub.firstEdge->a;
  last = sub.lastEdge->b;
  nodes.reserve(nodes.size() + sub.nodes.size());
  edges.reserve(edges.size() + sub.edges.size());
  nodes.insert(nodes.end(), sub.nodes.begin(), sub.nodes.end());
  edges.insert(edges.end(), sub.edges.begin(), sub.edges.end());
  sub.nodes.clear();
  sub.edges.clear();
  sub.firstEdge = nullptr;
  sub.lastEdge = nullptr;
  return true;
}

void CFHCircuitLayout::layoutSubAreas(COffsetNode*& inEnd, COffsetNode*& outEnd, bool d, bool& leftOut) {
  std::vector<CFHSubLayoutLink> links;
  COffsetLoop* l = inEnd != nullptr ? inEnd->owner : nullptr;
  if (l != nullptr && outEnd != nullptr) {
    links.reserve(subAreas.size());
    for (CFHCircuitLayout* sub : subAreas) {
      CFHSubLayoutLink link(*inEnd, *outEnd, sub, d);
      if (link.usable)
        links.push_back(link);
      else
        leftOut = true;
    }
    const comparePointsAlongOwnerLoop order(l, *inEnd, d, workTol);
    stableSortByKey(links, [&](const CFHSubLayoutLink& link) { return order.lengthTo(link.entryPoint); });
  } else if (!subAreas.empty()) {
    leftOut = true;
  }
  const std::uint8_t direction = d ? 1 : 0;
  for (CFHSubLayoutLink& link : links) {
    COffsetNode* first = nullptr;
    COffsetNode* last = nullptr;
    if (!link.runSpiral(first, last, nodes, edges)) {
      leftOut = true;
      continue;
    }
    putOnLoop(*first, *l);
    putOnLoop(*last, *l);
    edges.reserve(edges.size() + 1);
    edges.push_back(COffsetEdge::COffsetEdgeFromNodes(inEnd, first, direction, false).release());
    inEnd = last;
    if (link.subLayout->outcome == LayoutOutcome::kRegionsLeftOut) leftOut = true;
    link.subLayout->handOverLoopsTo(*this);
  }
  if (inEnd != nullptr && outEnd != nullptr && inEnd != outEnd) {
    edges.reserve(edges.size() + 1);
    edges.push_back(COffsetEdge::COffsetEdgeFromNodes(inEnd, outEnd, direction, false).release());
    inEnd = outEnd;
  }
  // A sub-area left out goes with its loops, unless a node of the path lies
  // on one of them (the walk that led to the split may end there).
  for (CFHCircuitLayout* sub : subAreas) {
    if (sub == nullptr || !carriesNodes(*sub, nodes)) continue;
    emptySpiralGraph(*sub);
    sub->handOverLoopsTo(*this);
  }
  deleteCircuitLayoutsAndClear(subAreas);
}
