// The spiral on the zone set (ZoneSet.h, made ready by MeanderZones.h with
// the spiral's band limits) and what the layout checker needs beyond the
// pipe: the leads (two pieces where a lead is bent at the wall) and the
// places where the spiral's constructions may come nearer than s, located
// from the graph:
//   hairpin detours  legs 0.5 s apart (both samples beside the hairpin), and
//                    0.75 s from other pipe (a sample on a leg);
//   level steps      0.98 s (a sample on a straight edge between loops);
//   bands            s/2 beside a banded edge (a sample in its band);
//   the centre       0.75 s where the runs are joined round the innermost
//                    loops (both samples within s of their box): the turn
//                    round a loop of a round zone one spacing across.
#pragma once

#include "LayoutCheckAdapters.h"
#include "LayoutTestSupport.h"
#include "MeanderZones.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/OffsetEdgePath.h"

namespace spiral_zone {

using zone_set::ZoneCase;

// Z1 with a tongue 150 wide leaving its bottom wall at 45 degrees, 700 long,
// its tip square to its axis; the pipe ends on the tip, 50 apart, or (with
// `startOnWall`) the start on the bottom wall left of the tongue.
inline ZoneCase tongue(bool startOnWall = false) {
  const double r = std::sqrt(0.5);
  const XtGeVector2d along(r, -r);
  const XtGeVector2d across(r, r);
  const XtGePoint2d a(1900, 0);
  const XtGePoint2d b(1900 + 150 / r, 0);
  const XtGePoint2d tipA = a + along * 700;
  const XtGePoint2d tipB = tipA + across * 150;
  const XtGePoint2d tip = tipA + across * 75;
  ZoneCase c = zone_set::make(
      zone_fixture::polygon("tongue", {{0, 0}, a, tipA, tipB, b, {4000, 0}, {4000, 3000}, {0, 3000}}), 0,
      startOnWall ? XtGePoint2d(1500, 0) : tip + across * 25, tip - across * 25);
  return c;
}

// Two rooms 900 x 1000 joined by a centred neck 450 wide and 1000 long.
inline ZoneCase twoRooms() {
  return zone_set::make(zone_fixture::polygon("two rooms", {{0, 0}, {900, 0}, {900, 275}, {1900, 275}, {1900, 0},
                                                            {2800, 0}, {2800, 1000}, {1900, 1000}, {1900, 725},
                                                            {900, 725}, {900, 1000}, {0, 1000}}),
                        0, {550, 0}, {350, 0});
}

// The case laid out as a spiral, and judged.
struct Laid {
  explicit Laid(ZoneCase c)
      : zone(meander_test::layoutZone(c, CFHCircuitLayout::kSpiral)), checkZone(zone_set::checkZone(c)) {
    ok = zone->layout->layoutSpiral();
    if (ok) path = layout_check::walkLayoutGraph(*zone->layout);
  }
  CFHCircuitLayout& layout() const { return *zone->layout; }

  layout_check::Report check(layout_check::Options options = {0.9, 1.1, 1.3, true}) const {
    const CFHCircuitLayout& l = *zone->layout;
    const double s = checkZone.s;
    const auto bent = [](const COffsetNode* n) { return n != nullptr && n->owner == nullptr && n->edges.size() == 2; };
    options.leadIn = l.firstEdge != nullptr && bent(l.firstEdge->b) ? 2 : 1;
    options.leadOut = l.lastEdge != nullptr && bent(l.lastEdge->a) ? 2 : 1;
    const auto allow = [&](const XtGePoint2d& a, const XtGePoint2d& b, double reach, double least, bool both,
                           const char* what) { options.allowances.push_back({a, b, reach, least, both, what}); };
    for (const COffsetEdge* e : l.edges) {
      if (e->a == nullptr || e->b == nullptr || !isStraightEdge(*e) || e == l.firstEdge || e == l.lastEdge) continue;
      const bool free = e->a->owner == nullptr || e->b->owner == nullptr;
      const bool lead = e->a == l.firstEdge->b || e->b == l.lastEdge->a;
      if (free && !lead) {
        allow(e->a->point, e->b->point, s, 0.5 * s, true, "detour legs");
        allow(e->a->point, e->b->point, 0.05 * s, 0.75 * s, false, "detour connector");
      } else if (!free) {
        allow(e->a->point, e->b->point, 0.05 * s, 0.98 * s, false, "level step");
      }
    }
    // (A single level is no centre: its box would hold the whole zone.)
    if (l.levels.size() >= 2)
      for (const COffsetLoop* loop : *l.levels.back()) {
        const auto box = layout_test::box(*loop);
        allow({box[0], box[1]}, {box[2], box[3]}, s, 0.75 * s, true, "centre");
      }
    for (const layout_check::Band& band : checkZone.bands)
      allow(band.edge.start, band.edge.end, band.width, 0.5 * s, false, "band");
    return layout_check::checkLayout(checkZone, path.pieces, options);
  }

  std::unique_ptr<meander_test::MeanderZone> zone;
  layout_check::Zone checkZone;
  bool ok = false;
  layout_check::GraphPath path;
};

}  // namespace spiral_zone
