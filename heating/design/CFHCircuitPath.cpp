// The circuit path: the offset graphs of a circuit's zone layouts walked into
// one continuous pipe of drawable segments in the first zone's layouts, with
// its supply and return halves.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/layout/CFHCircuitSegment.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/EdgeChain.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LoopSampling.h"
#include "heating/layout/OffsetEdgePath.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <memory>
#include <utility>

namespace {

using BusyScope = CFHZoneDesign::BusyScope;
using PathLengths = CFHZoneDesign::PathLengths;

// Slot 0 the main layout, 1 the second.
CFHCircuitLayout* layoutOf(const BusyScope& zone, int slot) {
  return slot == 0 ? zone.mainLayout() : zone.secondLayout();
}

// The slot a circuit's pipe is drawn from: its first zone's main layout for
// display types 0 and 1 (the full layout, the connection run), its second,
// full layout for the others (whose main layout holds levels, which are not
// walked).
int drawnSlot(const BusyScope& first) { return first.design().displayType() <= 1 ? 0 : 1; }

// Where the walk of a slot goes on in the next zone. In the slot the circuit
// is drawn from, the next zone's full layout (its main one for display type
// 0, else its second), whatever its display type: the main layout of a zone
// of type 2 holds levels, which are not walked, and that of a zone of type 1
// a connection run with an undrawn jump, whose supply and return only the
// first zone's flags tell apart; either left a gap in a joined zone's drawn
// pipe, which the edit could not read. In the other slot the same slot, or
// the main layout when the zone has no second.
CFHCircuitLayout* descentLayout(const std::vector<BusyScope*>& zones, const BusyScope& next, int slot) {
  const bool drawn = slot == drawnSlot(*zones.front());
  CFHCircuitLayout* layout = layoutOf(next, drawn ? (next.design().displayType() == 0 ? 0 : 1) : slot);
  return layout != nullptr ? layout : next.mainLayout();
}

// One layout's walk into the first zone's layout of its slot.
struct Walk {
  const std::vector<BusyScope*>& zones;
  int slot;
  CFHCircuitLayout& target;
  // The first zone's display type is 1: edges of the return run (flag 2)
  // give return segments.
  bool sidesFromEdges;
  PathLengths& lengths;
};

CFHPipeEnd* newEnd(CFHCircuitLayout& target, const XtGePoint2d& point) {
  target.pipeEnds.push_back(new CFHPipeEnd(point, 1, 0));
  return target.pipeEnds.back();
}

// Which part of the path a segment is, and the zone it was walked from.
struct Place {
  CFHCircuitSegment::Part part;
  std::size_t zone;
};

void addSegment(const Walk& walk, CFHPipeEnd* start, CFHPipeEnd* end, CFloorHeatingCurve::Ptr curve, bool drawn,
                bool supply, const Place& place) {
  const double length = curve->length();
  auto segment = std::make_unique<CFHCircuitSegment>(start, end, std::move(curve), 0);
  segment->drawn = drawn ? 1 : 0;
  segment->side = supply ? 1 : 0;
  segment->part = place.part;
  segment->zonePosition = static_cast<std::uint32_t>(place.zone);
  walk.target.segments.push_back(segment.release());
  walk.lengths.total += length;
  walk.lengths.lengths.push_back(length);
}

// The pieces of the edge's path from `from` to `to`, each a segment between
// two new pipe-end records.
void emitPieces(const Walk& walk, const COffsetEdge& edge, const CLoopPoint& from, const CLoopPoint& to,
                const Place& place) {
  CFloorHeatingCurve::PtrVector pieces;
  if (!offsetEdgePathBetweenPoints(&edge, from, to, pieces) || pieces.empty()) return;
  const bool drawn = edge.isFlag4Set() == 0;
  const bool supply = !(walk.sidesFromEdges && edge.isFlag2Set() != 0);
  XtGePoint2d s = pieces.front()->startPoint();
  for (CFloorHeatingCurve::Ptr& piece : pieces) {
    const XtGePoint2d e = piece->endPoint();
    CFHPipeEnd* start = newEnd(walk.target, s);
    CFHPipeEnd* end = newEnd(walk.target, e);
    addSegment(walk, start, end, std::move(piece), drawn, supply, place);
    s = e;
  }
}

// Two drawn supply lines a → b → c over three new pipe-end records, links
// of the zone at `position`.
void emitLink(const Walk& walk, std::size_t position, const XtGePoint2d& a, const XtGePoint2d& b,
              const XtGePoint2d& c) {
  CFHPipeEnd* ends[] = {newEnd(walk.target, a), newEnd(walk.target, b), newEnd(walk.target, c)};
  for (int i = 0; i < 2; ++i) {
    auto line = std::make_unique<CFloorHeatingLine>(ends[i]->point, ends[i + 1]->point, nullptr, kTagLinkSegment);
    addSegment(walk, ends[i], ends[i + 1], std::move(line), true, true, {CFHCircuitSegment::Part::kLink, position});
  }
}

// The length of the edge's path from its first node to the point.
double lengthToPoint(const COffsetEdge& edge, const CLoopPoint& point) {
  CFloorHeatingCurve::PtrVector pieces;
  offsetEdgePathBetweenPoints(&edge, *edge.a, point, pieces);
  double length = 0.0;
  for (const auto& piece : pieces) length += piece->length();
  return length;
}

// The point `length` from `from` along the edge toward its second node
// (towardB) or its first, or that node where the edge ends first.
COffsetPoint moveAlongEdge(const COffsetEdge& edge, const CLoopPoint& from, double length, bool towardB) {
  const double at = lengthToPoint(edge, from);
  const double room = towardB ? lengthToPoint(edge, *edge.b) - at : at;
  if (length >= room) return COffsetPoint(towardB ? static_cast<const CLoopPoint&>(*edge.b) : *edge.a);
  const bool straight = isStraightEdge(edge);
  const bool forward = straight ? towardB : (edge.direction != 0) == towardB;
  COffsetPoint moved;
  if (!pointAtLengthAlongEdge(edge, from, length, forward, moved)) return COffsetPoint(from);
  return moved;
}

// Where the walk of `layout` leaves its chain toward exit 1 (a on edgeA) and
// comes back from exit 2 (b on edgeB), a not after b along the chain. False
// when either exit has no nearest chain point.
struct LinkPoints {
  COffsetPoint a, b;
  const COffsetEdge* edgeA = nullptr;
  const COffsetEdge* edgeB = nullptr;
};

bool findLinkPoints(const CFHCircuitLayout& layout, const XtGePoint2d& exit1, const XtGePoint2d& exit2,
                    double spacing, LinkPoints& link) {
  link.edgeA = nearestPointAlongEdgeChain(layout, exit1, link.a, workTol);
  link.edgeB = nearestPointAlongEdgeChain(layout, exit2, link.b, workTol);
  if (link.edgeA == nullptr || link.edgeB == nullptr) return false;
  if (link.a.point == link.b.point) {
    // One place for both: the two ends of the link one spacing apart along
    // edgeA (less where it ends first), exit 1's end on exit 1's side.
    const COffsetEdge& edge = *link.edgeA;
    const bool exit1BeforeExit2 = exit1.distanceTo(edge.a->point) < exit1.distanceTo(edge.b->point);
    link.edgeB = link.edgeA;
    COffsetPoint& mover = exit1BeforeExit2 ? link.b : link.a;
    mover = moveAlongEdge(edge, mover, spacing, exit1BeforeExit2);
    if (mover.point == (exit1BeforeExit2 ? link.a : link.b).point) {
      // At the edge's end already: the other one moves the other way.
      COffsetPoint& other = exit1BeforeExit2 ? link.a : link.b;
      other = moveAlongEdge(edge, other, spacing, !exit1BeforeExit2);
    }
  }
  // The pipe leaves the chain at the earlier point and comes back at the
  // later one, so that no stretch is walked twice.
  const int positionA = edgeChainPosition(layout, link.edgeA);
  const int positionB = edgeChainPosition(layout, link.edgeB);
  const bool bFirst =
      positionB < positionA ||
      (positionA == positionB && lengthToPoint(*link.edgeB, link.b) < lengthToPoint(*link.edgeA, link.a));
  if (bFirst) {
    std::swap(link.a, link.b);
    std::swap(link.edgeA, link.edgeB);
  }
  return true;
}

void walkLayout(const Walk& walk, std::size_t position, const CFHCircuitLayout* layout);

// The link from the design at `position` to the next one and back, and the
// walk of the next one in between.
void walkLink(const Walk& walk, std::size_t position, const LinkPoints& link) {
  const BusyScope& design = *walk.zones[position];
  const BusyScope& next = *walk.zones[position + 1];
  emitLink(walk, position, link.a.point, design.exitEnd(0)->point, next.pipeEnd(0)->point);
  walkLayout(walk, position + 1, descentLayout(walk.zones, next, walk.slot));
  emitLink(walk, position, next.pipeEnd(1)->point, design.exitEnd(1)->point, link.b.point);
}

void walkLayout(const Walk& walk, std::size_t position, const CFHCircuitLayout* layout) {
  if (layout == nullptr || layout->connectionMode == 2 || walk.target.connectionMode == 2) return;
  const BusyScope& design = *walk.zones[position];
  // A link needs this zone's two exits and a next zone with both pipe ends;
  // exits left from an earlier circuit of more zones are passed over.
  const bool nextReady = position + 1 < walk.zones.size() && walk.zones[position + 1]->pipeEnd(0) != nullptr &&
                         walk.zones[position + 1]->pipeEnd(1) != nullptr;
  LinkPoints link;
  const bool linked = nextReady && design.exitEnd(0) != nullptr && design.exitEnd(1) != nullptr &&
                      findLinkPoints(*layout, design.exitEnd(0)->point, design.exitEnd(1)->point,
                                     design.design().spacing(), link);
  // The edges at the pipe ends are the zone's leads.
  const auto placeOf = [&](const COffsetEdge* e) {
    const bool lead = e == layout->firstEdge || e == layout->lastEdge;
    return Place{lead ? CFHCircuitSegment::Part::kLead : CFHCircuitSegment::Part::kRun, position};
  };
  EdgeSet passed;
  for (const COffsetEdge* e = layout->firstEdge; e != nullptr && !passed.contains(e);) {
    if (linked && e == link.edgeA) {
      emitPieces(walk, *e, *e->a, link.a, placeOf(e));
      walkLink(walk, position, link);
      // The stretch from A to B is not laid: the edges up to edgeB are
      // passed over (a cycle that misses edgeB ends the pass as a dead end
      // does), and the walk goes on from B.
      passEdgesUntil(link.edgeA, link.edgeB, passed);
      e = link.edgeB;
      emitPieces(walk, *e, link.b, *e->b, placeOf(e));
    } else {
      emitPieces(walk, *e, *e->a, *e->b, placeOf(e));
    }
    passed.insert(e);
    e = nextEdgeOnChain(e);
  }
}

// The first half of the walked length is supply, the rest return: a segment
// whose predecessors add up to half the total or more is return.
void splitSides(CFHCircuitLayout& layout, const PathLengths& lengths) {
  const double half = lengths.total * 0.5;
  double walked = 0.0;
  for (std::size_t i = 0; i < layout.segments.size() && i < lengths.lengths.size(); ++i) {
    if (walked < half)
      walked += lengths.lengths[i];
    else
      layout.segments[i]->side = 0;
  }
}

}  // namespace

void CFHZoneDesign::walkPath(const std::vector<BusyScope*>& zones, std::size_t position, PathLengths (&lengths)[2]) {
  if (position >= zones.size()) return;
  const BusyScope& first = *zones.front();
  for (int slot = 0; slot < 2; ++slot) {
    CFHCircuitLayout* target = layoutOf(first, slot);
    if (target == nullptr) continue;
    const Walk walk{zones, slot, *target, first.design().displayType() == 1, lengths[slot]};
    walkLayout(walk, position, layoutOf(*zones[position], slot));
  }
}

void CFHCircuit::buildPath() {
  std::vector<std::unique_ptr<CFHZoneDesign::BusyScope>> scopes;
  std::vector<CFHZoneDesign::BusyScope*> zones;
  for (CFHZoneEntry* zone : zones_) {
    if (zone == nullptr || zone->design() == nullptr) continue;
    scopes.push_back(std::make_unique<CFHZoneDesign::BusyScope>(*zone->design()));
    zones.push_back(scopes.back().get());
    // Both layouts of every zone: a layout keeps no segments of an earlier
    // path, whichever zone it was walked from.
    for (int slot = 0; slot < 2; ++slot)
      if (CFHCircuitLayout* layout = layoutOf(*zones.back(), slot)) layout->clearSegments();
  }
  if (zones.empty()) return;
  CFHZoneDesign::PathLengths lengths[2];
  CFHZoneDesign::walkPath(zones, 0, lengths);
  const int slot = zones.front()->design().displayType() == 0 ? 0 : 1;
  if (CFHCircuitLayout* layout = layoutOf(*zones.front(), slot)) splitSides(*layout, lengths[slot]);
}
