// The spiral on the zone set (ZoneSet.h, made ready by MeanderZones.h with
// the spiral's band limits) and what the layout checker needs beyond the
// pipe: the leads and the places where the spiral's constructions may come
// nearer than s, located from the graph (LayoutCheckAdapters.h).
#pragma once

#include "LayoutCheckAdapters.h"
#include "LayoutTestSupport.h"
#include "MeanderZones.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

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
    layout_check::setLeads(*zone->layout, options);
    layout_check::addSpiralAllowances(*zone->layout, checkZone, options);
    return layout_check::checkLayout(checkZone, path.pieces, options);
  }

  std::unique_ptr<meander_test::MeanderZone> zone;
  layout_check::Zone checkZone;
  bool ok = false;
  layout_check::GraphPath path;
};

}  // namespace spiral_zone
