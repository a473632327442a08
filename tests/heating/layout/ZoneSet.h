// The zone set of the layout tests: the shared zone outlines (ZoneFixtures.h)
// with what a layout needs beyond them: the meander base edge, the two pipe
// ends, the distances and the unit factor; Z10 (pipe ends placed to trouble
// the layouts) and the variants (clockwise, far from the origin, metres,
// centred on the origin). Millimetres, unit factor 1000, d0 100, s 200 unless
// a case says otherwise.
//
//   Z1  rectangle (0,0)-(4000,3000); base bottom; ends (2100,0) / (1900,0)
//   Z2  L (4000 x 4000 less the upper right quadrant); base bottom; as Z1
//   Z3  U, slot x 1750-3250 from y 1500; base left edge (runs cross the
//       first loop four times); ends (0,1900) / (0,2100)
//   Z4  strips 6000 x 500 (one level) and 6000 x 150 (no level); bottom;
//       ends (3100,0) / (2900,0)
//   Z5  two 2000 x 2000 rooms joined by a neck 1000 long, 150 or 700 wide;
//       base the bottom of the left room; ends (1100,0) / (900,0)
//   Z6  a: circle about (2000,2000), R 2000, two half arcs; the base is the
//       working-loop chord nearest (2000,0) and the pipe ends are that
//       chord's end points (the start the later one counter-clockwise), so
//       they come with the working loop (endsOnBaseChord);
//       b: (0,0)-(4000,0), a half circle of R 1000 about (4000,1000),
//       (4000,2000)-(0,2000); c: Z1 with a quarter-round corner of R 1000 at
//       the top right; b and c: base bottom, ends as Z1
//   Z7  Z1 with a band of 600 along the left edge; base bottom; ends as Z1
//   Z8  Z1 turned by 30 degrees about the origin; base the turned right edge;
//       ends (4000,1600) / (4000,1400) turned
//   Z9  square (0,0)-(640,640); base bottom; ends (420,0) / (220,0)
//   Z10 Z1 with a: ends (0,50) / (50,0), whose projections meet at the first
//       loop's corner; b: (2000,0) / (2000,3000) on opposite sides; c:
//       (1900,0) / (2100,0), which make the orientation false
#pragma once

#include "LayoutChecker.h"
#include "LayoutCheckAdapters.h"
#include "ZoneFixtures.h"

#include <cmath>
#include <numbers>

namespace zone_set {

using zone_fixture::Zone;

struct ZoneCase {
  Zone zone;
  // The outline curve the meander runs along (-1: a working-loop chord, see
  // basePoint) and a point of the base: its midpoint, or for Z6a the point
  // the chosen chord lies nearest to.
  int baseIndex = 0;
  XtGePoint2d basePoint;
  XtGePoint2d startEnd;
  XtGePoint2d endEnd;
  // Z6a: the pipe ends are the base chord's end points (not known here).
  bool endsOnBaseChord = false;
  // The orientation the pipe ends give on the outline: true when the way
  // from the end to the start in the outline's direction is not the longer.
  bool orientation = true;
  double firstOffset = zone_fixture::kFirstOffset;
  double spacing = zone_fixture::kSpacing;
  double unitFactor = 1000.0;
};

inline XtGePoint2d midpointOf(const CFloorHeatingCurve& curve) {
  return XtGePoint2d(0.5 * (curve.startPoint().x + curve.endPoint().x),
                     0.5 * (curve.startPoint().y + curve.endPoint().y));
}

inline ZoneCase make(Zone zone, int baseIndex, XtGePoint2d start, XtGePoint2d end, bool orientation = true) {
  ZoneCase c{std::move(zone), baseIndex, {}, start, end};
  c.basePoint = midpointOf(*c.zone.curves[baseIndex]);
  c.orientation = orientation;
  return c;
}

inline ZoneCase z1() { return make(zone_fixture::z1Rectangle(), 0, {2100, 0}, {1900, 0}); }
inline ZoneCase z2() { return make(zone_fixture::z2L(), 0, {2100, 0}, {1900, 0}); }
inline ZoneCase z3() { return make(zone_fixture::z3U(), 7, {0, 1900}, {0, 2100}); }
inline ZoneCase z4(double width) { return make(zone_fixture::z4Strip(width), 0, {3100, 0}, {2900, 0}); }
inline ZoneCase z5(double neck) { return make(zone_fixture::z5Dumbbell(neck), 0, {1100, 0}, {900, 0}); }
inline ZoneCase z6a() {
  ZoneCase c{zone_fixture::z6Circle(), -1, {2000, 0}, {}, {}, true};
  for (auto& curve : c.zone.curves) curve->translateBy(XtGeVector2d(2000, 2000));
  c.zone.name = "Z6a circle";
  return c;
}
inline ZoneCase z6b() {
  return make(zone_fixture::outline("Z6b semicircular end", {0, 0},
                                    {{{4000, 0}}, {{4000, 2000}, 1.0}, {{0, 2000}}, {{0, 0}}}),
              0, {2100, 0}, {1900, 0});
}
inline ZoneCase z6c() { return make(zone_fixture::z6QuarterRound(), 0, {2100, 0}, {1900, 0}); }
inline ZoneCase z7() {
  ZoneCase c = z1();
  c.zone.name = "Z7 band";
  c.zone.limits = {0.0, 0.0, 0.0, 600.0};
  return c;
}
inline ZoneCase z8() {
  auto turned = [](XtGePoint2d p) { return p.rotateBy(std::numbers::pi / 6); };
  return make(zone_fixture::z8Turned(), 1, turned({4000, 1600}), turned({4000, 1400}));
}
inline ZoneCase z9() { return make(zone_fixture::z9Square(), 0, {420, 0}, {220, 0}); }
inline ZoneCase z10a() { return make(zone_fixture::z1Rectangle(), 0, {0, 50}, {50, 0}); }
inline ZoneCase z10b() { return make(zone_fixture::z1Rectangle(), 0, {2000, 0}, {2000, 3000}); }
inline ZoneCase z10c() { return make(zone_fixture::z1Rectangle(), 0, {1900, 0}, {2100, 0}, false); }

// ---- Variants ---------------------------------------------------------------------

// Run the other way round: the base index follows its curve; the pipe ends
// stay, and so the orientation turns.
inline ZoneCase clockwise(ZoneCase c) {
  const int n = static_cast<int>(c.zone.curves.size());
  c.zone = zone_fixture::clockwise(std::move(c.zone));
  if (c.baseIndex >= 0) c.baseIndex = n - 1 - c.baseIndex;
  c.orientation = !c.orientation;
  return c;
}
// Moved by (d, d), pipe ends and base point with it.
inline ZoneCase moved(ZoneCase c, double d) {
  c.zone = zone_fixture::moved(std::move(c.zone), d);
  for (XtGePoint2d* p : {&c.basePoint, &c.startEnd, &c.endEnd}) *p = XtGePoint2d(p->x + d, p->y + d);
  return c;
}
// Z1 in metres: unit factor 1, (0,0)-(4,3), d0 0.1, s 0.2.
inline ZoneCase z1Metres() {
  ZoneCase c = make(zone_fixture::polygon("Z1 metres", {{0, 0}, {4, 0}, {4, 3}, {0, 3}}), 0, {2.1, 0}, {1.9, 0});
  c.firstOffset = 0.1;
  c.spacing = 0.2;
  c.unitFactor = 1.0;
  return c;
}
// Z1 centred on the origin, where the work origin lies inside the zone.
inline ZoneCase z1Centred() {
  ZoneCase c = make(zone_fixture::polygon("Z1 centred", {{-2000, -1500}, {2000, -1500}, {2000, 1500}, {-2000, 1500}}),
                    0, {100, -1500}, {-100, -1500});
  return c;
}

// The case as the checker sees it: outline, distances, bands (each curve
// with a positive band limit) and pipe ends.
inline layout_check::Zone checkZone(const ZoneCase& c) {
  layout_check::Zone zone;
  zone.outline = layout_check::piecesOf(c.zone.raw());
  zone.d0 = c.firstOffset;
  zone.s = c.spacing;
  for (std::size_t i = 0; i < c.zone.limits.size() && i < zone.outline.size(); ++i)
    if (c.zone.limits[i] > 0.0) zone.bands.push_back({zone.outline[i], c.zone.limits[i]});
  zone.start = c.startEnd;
  zone.end = c.endEnd;
  return zone;
}

}  // namespace zone_set
