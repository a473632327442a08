// The layout checker on hand-made layouts of the zone set: a serpentine that
// passes, bad variants that each fail their check at their place, band runs,
// a ring at d0 in the circle, the same verdicts turned and moved, a large
// hall in good time, the place the spiral's centre allowance holds, and the
// graph walk of a layout record.
#include "LayoutCheckAdapters.h"
#include "LayoutChecker.h"
#include "ZoneSet.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

using Point = XtGePoint2d;
using layout_check::Piece;
using layout_check::Report;

// A serpentine of vertical runs at the x positions from y0 to y1, the first
// going up, joined alternately at the top and the bottom, with leads from
// (x first, lead) up to the first run and from the last run down to
// (x last, lead).
std::vector<Piece> serpentine(const std::vector<double>& xs, double y0 = 100, double y1 = 2900, double lead = 0) {
  std::vector<Piece> pipe{Piece::line({xs.front(), lead}, {xs.front(), y0})};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const bool up = i % 2 == 0;
    pipe.push_back(Piece::line({xs[i], up ? y0 : y1}, {xs[i], up ? y1 : y0}));
    if (i + 1 < xs.size()) pipe.push_back(Piece::line({xs[i], up ? y1 : y0}, {xs[i + 1], up ? y1 : y0}));
  }
  pipe.push_back(Piece::line(pipe.back().end, {xs.back(), lead}));
  return pipe;
}

std::vector<double> runsFrom(double x, double step, int count) {
  std::vector<double> xs;
  for (int i = 0; i < count; ++i) xs.push_back(x + i * step);
  return xs;
}

// The zone as the checker sees it, with the pipe ends at the pipe's ends.
layout_check::Zone zoneFor(const zone_set::ZoneCase& c, const std::vector<Piece>& pipe) {
  layout_check::Zone zone = zone_set::checkZone(c);
  zone.start = pipe.front().start;
  zone.end = pipe.back().end;
  return zone;
}

Piece moved(Piece p, double d) {
  for (Point* q : {&p.start, &p.end, &p.centre}) *q = Point(q->x + d, q->y + d);
  return p;
}

class LayoutChecker : public layout_test::LayoutTest {};

TEST_F(LayoutChecker, SerpentineInZ1PassesWithItsLength) {
  const std::vector<Piece> pipe = serpentine(runsFrom(100, 200, 20));
  const Report r = layout_check::checkLayout(zoneFor(zone_set::z1(), pipe), pipe);
  EXPECT_TRUE(r.ok()) << r.summary();
  EXPECT_NEAR(r.inZoneLength, 59800.0, 1e-6);
  EXPECT_NEAR(r.zoneArea, 12e6, 1e-3);
  EXPECT_NEAR(r.length.value, 59800.0 / 60000.0, 1e-9);
  EXPECT_LE(r.coverage.value, 0.55 * 200) << "half a spacing between runs";
}

// A bad variant of the serpentine: the pipe (its ends are its own ends, or
// the given ones), the check that must fail and where.
struct Variant {
  const char* name;
  std::vector<Piece> pipe;
  layout_check::Finding Report::*check;
  Point place;
  double reach;  // how near the reported place must be
};

std::vector<Variant> badVariants() {
  std::vector<Variant> variants;
  std::vector<double> xs = runsFrom(100, 200, 20);
  xs[10] -= 60;
  variants.push_back({"a run 60 nearer its neighbour", serpentine(xs), &Report::spacing, {2020, 1500}, 1500});
  variants.push_back({"a run 50 from the boundary", serpentine(runsFrom(50, 200, 20)), &Report::inside, {50, 1500},
                      1400});
  std::vector<Piece> crossing = serpentine(runsFrom(100, 200, 20));
  // The top connector of runs 2 and 3 bends across run 3.
  crossing.erase(crossing.begin() + 6);
  crossing.insert(crossing.begin() + 6, {Piece::line({500, 2900}, {750, 2850}), Piece::line({750, 2850}, {700, 2900})});
  variants.push_back({"a connector crossing a run", crossing, &Report::simple, {700, 2860}, 1.0});
  std::vector<Piece> touching = serpentine(runsFrom(100, 200, 20));
  // Run 5 bends in to touch run 4 halfway.
  touching.erase(touching.begin() + 11);
  touching.insert(touching.begin() + 11, {Piece::line({1100, 2900}, {900, 1500}), Piece::line({900, 1500}, {1100, 100})});
  variants.push_back({"a touch", touching, &Report::simple, {900, 1500}, 1.0});
  std::vector<Piece> gap = serpentine(runsFrom(100, 200, 20));
  gap[15].start.x += 1.0;
  variants.push_back({"a gap of 1", gap, &Report::continuous, gap[14].end, 1e-9});
  variants.push_back({"half the runs", serpentine(runsFrom(100, 200, 10)), &Report::coverage, {3000, 1500}, 1750});
  return variants;
}

TEST_F(LayoutChecker, EveryBadVariantFailsItsCheckAtItsPlace) {
  for (const Variant& v : badVariants()) {
    SCOPED_TRACE(v.name);
    const Report r = layout_check::checkLayout(zoneFor(zone_set::z1(), v.pipe), v.pipe);
    const layout_check::Finding& f = r.*(v.check);
    EXPECT_FALSE(f.ok) << r.summary();
    EXPECT_LE(f.at.distanceTo(v.place), v.reach) << f.text;
  }
  const std::vector<Piece> pipe = serpentine(runsFrom(100, 200, 20));
  layout_check::Zone offEnd = zoneFor(zone_set::z1(), pipe);
  offEnd.end = Point(3901, 0);
  const Report r = layout_check::checkLayout(offEnd, pipe);
  EXPECT_FALSE(r.ends.ok);
  EXPECT_NEAR(r.ends.value, 1.0, 1e-9);
  EXPECT_TRUE(r.ends.at.isEqualTo(Point(3900, 0)));
  EXPECT_TRUE(r.inside.ok && r.simple.ok && r.spacing.ok);

  const std::vector<Piece> half = serpentine(runsFrom(100, 200, 10));
  const Report shortPipe = layout_check::checkLayout(zoneFor(zone_set::z1(), half), half);
  EXPECT_LT(shortPipe.length.value, 0.55) << "the length check fails too";
  EXPECT_FALSE(shortPipe.length.ok);
  EXPECT_TRUE(shortPipe.sound());
}

// With a narrow width, coverage passes over the heated parts narrower than
// it beyond the pipe (an arm 150 across past the runs, heated 1.5 m deep) but
// still fails a bare part a hairpin that wide reaches (half the room).
TEST_F(LayoutChecker, CoverageExcusesOnlyThePartsNarrowerThanItsWidth) {
  const std::vector<Piece> pipe = serpentine(runsFrom(100, 200, 20));
  layout_check::Zone zone = zoneFor(zone_set::z1(), pipe);
  // An arm 350 across out of the right wall: 150 of it heated at d0 100.
  zone.outline = layout_check::piecesOf(zone_fixture::polygon("arm", {{0, 0}, {4000, 0}, {4000, 1325}, {5500, 1325},
                                                                      {5500, 1675}, {4000, 1675}, {4000, 3000}, {0, 3000}})
                                            .raw());
  layout_check::Options options(0.0, 1e300, 1.5);
  const Report strict = layout_check::checkLayout(zone, pipe, options);
  EXPECT_FALSE(strict.coverage.ok);
  EXPECT_GT(strict.coverage.at.x, 4200.0) << strict.coverage.text;
  options.narrowWidth = 1.1 * 200;
  const Report narrow = layout_check::checkLayout(zone, pipe, options);
  EXPECT_TRUE(narrow.coverage.ok) << narrow.summary();
  ASSERT_FALSE(narrow.located.empty());
  EXPECT_GT(narrow.located.back().value, 1000.0) << "the arm's far end, excused";

  const std::vector<Piece> half = serpentine(runsFrom(100, 200, 10));
  const Report bare = layout_check::checkLayout(zoneFor(zone_set::z1(), half), half, options);
  EXPECT_FALSE(bare.coverage.ok);
  EXPECT_GT(bare.coverage.at.x, 2200.0) << bare.coverage.text;
}

// A wall bowed into the room: the points on its chord, between its ends,
// lie outside the room (however the sign of the chord's zero angle falls),
// those under the arc inside; either way round.
TEST_F(LayoutChecker, ThePointsOnABowedWallsChordLieOutside) {
  std::vector<Piece> room{Piece::line({0, 0}, {3462, 0}), Piece::line({3462, 0}, {3462, 3045}),
                          Piece::bulged({3462, 3045}, {0, 3045}, -0.256), Piece::line({0, 3045}, {0, 0})};
  for (int turn = 0; turn < 2; ++turn) {
    for (const double x : {1.0, 500.0, 1731.0, 3000.0}) EXPECT_EQ(layout_check::windingNumber(room, {x, 3045}), 0) << x;
    EXPECT_NE(layout_check::windingNumber(room, {1731, 2500}), 0);
    EXPECT_EQ(layout_check::windingNumber(room, {1731, 3000}), 0) << "between the chord and the arc";
    std::vector<Piece> back;
    for (auto it = room.rbegin(); it != room.rend(); ++it)
      back.push_back(it->isArc ? Piece::bulged(it->end, it->start, std::tan(-0.25 * it->sweep)) : Piece::line(it->end, it->start));
    room = back;
  }
}

TEST_F(LayoutChecker, VerdictsHoldClockwiseAndFarFromTheOrigin) {
  for (const Variant& v : badVariants()) {
    SCOPED_TRACE(v.name);
    const Report base = layout_check::checkLayout(zoneFor(zone_set::z1(), v.pipe), v.pipe);
    const Report turned = layout_check::checkLayout(zoneFor(zone_set::clockwise(zone_set::z1()), v.pipe), v.pipe);
    std::vector<Piece> far;
    for (const Piece& p : v.pipe) far.push_back(moved(p, 1e7));
    const Report distant = layout_check::checkLayout(zoneFor(zone_set::moved(zone_set::z1(), 1e7), far), far);
    for (const Report* other : {&turned, &distant}) {
      EXPECT_EQ(other->sound(), base.sound());
      for (auto check : {&Report::continuous, &Report::ends, &Report::inside, &Report::simple, &Report::spacing,
                         &Report::length, &Report::coverage})
        EXPECT_EQ((other->*check).ok, (base.*check).ok) << other->summary() << base.summary();
    }
    EXPECT_NEAR(turned.inZoneLength, base.inZoneLength, 1e-6);
    EXPECT_NEAR(distant.zoneArea, base.zoneArea, 1.0);
  }
}

TEST_F(LayoutChecker, HalfSpacingPassesOnlyInADeclaredBand) {
  // 100 ... 500 in the band, at half the spacing; the first run outside at
  // 700 leaves a whole spacing to the band's last run.
  std::vector<double> xs = runsFrom(100, 100, 5);
  for (double x : runsFrom(700, 200, 17)) xs.push_back(x);
  const std::vector<Piece> pipe = serpentine(xs);
  const Report inBand = layout_check::checkLayout(zoneFor(zone_set::z7(), pipe), pipe);
  EXPECT_TRUE(inBand.sound()) << inBand.summary();
  EXPECT_NEAR(inBand.bandArea, 500.0 * 2800.0, 0.02 * 500.0 * 2800.0);
  EXPECT_NEAR(inBand.length.value, 1.0, 0.05);
  const Report noBand = layout_check::checkLayout(zoneFor(zone_set::z1(), pipe), pipe);
  EXPECT_FALSE(noBand.spacing.ok);
  EXPECT_LT(noBand.spacing.at.x, 700.0) << noBand.spacing.text;
}

// An allowance of several segments (one group) holds a pair with a sample
// near each of two of them; the same segments apart hold only pairs beside
// one of them.
TEST_F(LayoutChecker, GroupedAllowanceSpansItsSegments) {
  // A hairpin whose legs lie half a spacing apart.
  const std::vector<Piece> pipe{Piece::line({1000, 0}, {1000, 100}), Piece::line({1000, 100}, {1000, 2900}),
                                Piece::line({1000, 2900}, {1100, 2900}), Piece::line({1100, 2900}, {1100, 100}),
                                Piece::line({1100, 100}, {1100, 0})};
  const layout_check::Zone zone = zoneFor(zone_set::z1(), pipe);
  const auto with = [&](int group) {
    layout_check::Options options;
    options.coverage = false;
    options.lengthLow = 0.0;
    options.allowances.push_back({{1000, 0}, {1000, 3000}, 30.0, 100.0, true, "pair", group});
    options.allowances.push_back({{1100, 0}, {1100, 3000}, 30.0, 100.0, true, "pair", group});
    return layout_check::checkLayout(zone, pipe, options);
  };
  const Report grouped = with(1);
  EXPECT_TRUE(grouped.spacing.ok) << grouped.summary();
  ASSERT_EQ(grouped.located.size(), 1u);
  EXPECT_NEAR(grouped.located.front().value, 100.0, 1e-6);
  const Report apart = with(0);
  EXPECT_FALSE(apart.spacing.ok);
  EXPECT_NEAR(apart.spacing.value, 100.0, 1e-6);
}

// The spiral's centre allowance holds both samples within s of the box of
// an innermost loop: beside the acute corner of a triangular loop too, which
// lies far from the box's diagonal; not beyond s of the box.
TEST_F(LayoutChecker, SpiralCentreHoldsTheInnermostLoopsBox) {
  for (const double shift : {0.0, 5e6}) {
    const auto at = [&](double x, double y) { return Point(x + shift, y + shift); };
    CFHCircuitLayout layout(100.0, 200.0, 200.0);
    layout.levels.push_back(new CFHCircuitLayout::Level{
        graph_test::polygonLoop({at(1000, 500), at(3000, 500), at(3000, 2000), at(1000, 2000)}).release()});
    layout.levels.push_back(new CFHCircuitLayout::Level{
        graph_test::polygonLoop({at(2000, 1000), at(2400, 1000), at(2000, 1400)}).release()});
    layout_check::Zone zone;
    zone.s = 200.0;
    layout_check::Options options;
    layout_check::addSpiralAllowances(layout, zone, options);
    const auto centreHolds = [&](const Point& p) {
      return std::any_of(options.allowances.begin(), options.allowances.end(), [&](const auto& w) {
        return w.what == "centre" && Piece::line(w.from, w.to).distanceTo(p) <= w.reach;
      });
    };
    EXPECT_TRUE(centreHolds(at(1950, 1450))) << "354 from the diagonal, 71 from the box";
    EXPECT_TRUE(centreHolds(at(2200, 1200)));
    EXPECT_FALSE(centreHolds(at(1700, 1200))) << "300 beyond the box";
    EXPECT_FALSE(centreHolds(at(2200, 1700)));
  }
}

TEST_F(LayoutChecker, RingAtTheFirstOffsetInTheCirclePasses) {
  const zone_set::ZoneCase circle = zone_set::z6a();
  const Point c(2000, 2000);
  const double half = std::asin(100.0 / 1900.0);  // the ring's ends 200 apart
  const double a0 = -0.5 * std::numbers::pi + half;
  const double sweep = 2.0 * std::numbers::pi - 2.0 * half;
  auto on = [&](double r, double a) { return Point(c.x + r * std::cos(a), c.y + r * std::sin(a)); };
  const std::vector<Piece> pipe{Piece::line(on(2000, a0), on(1900, a0)), Piece::arcAbout(c, 1900, a0, sweep),
                                Piece::line(on(1900, a0 + sweep), on(2000, a0 + sweep))};
  layout_check::Zone zone = zoneFor(circle, pipe);
  ASSERT_EQ(zone.outline.size(), 2u);
  const Report r = layout_check::checkLayout(zone, pipe);
  EXPECT_TRUE(r.sound()) << r.summary();
  EXPECT_NEAR(r.inside.value, 100.0, 1e-6) << "exactly d0 from the arcs";
  EXPECT_NEAR(r.zoneArea, std::numbers::pi * 4e6, 1e-3);

  for (auto& piece : zone.outline) {  // as chords the outline would come nearer
    piece = Piece::line(piece.start, piece.end);
  }
  EXPECT_FALSE(layout_check::checkLayout(zone, pipe).inside.ok);
}

// What a corridor holds for a pipe: its depth to within 0.1 mm (the
// grid of s/4 alone misses up to 15 mm), and the area a pipe heats, which
// leaves out a middle too narrow for a run of its own (614 wide: one run
// beside each wall, 288 apart) but keeps a middle run that fits exactly
// (1294 wide, d0 61, s 292: the third run 2 mm from the middle), and
// reaches s/2 - d0 beyond the walls where the runs beside them lie nearer
// than s/2.
TEST_F(LayoutChecker, CorridorMeasureCountsTheRunsThatFit) {
  const auto corridor = [](double width, double length, double d0, double s) {
    layout_check::Zone zone;
    const Point c[4] = {{0, 0}, {length, 0}, {length, width}, {0, width}};
    for (int i = 0; i < 4; ++i) zone.outline.push_back(Piece::line(c[i], c[(i + 1) % 4]));
    zone.d0 = d0;
    zone.s = s;
    return layout_check::measureZone(zone, 0.25 * s);
  };
  const layout_check::ZoneMeasure narrow = corridor(614, 7657, 163, 156);
  EXPECT_NEAR(narrow.deepest, 307, 0.1);
  // Bands 156 wide beside each wall, 85 to 241 from it.
  EXPECT_NEAR(narrow.pipeArea, 2 * 156 * 7657, 0.03 * 2 * 156 * 7657);
  const layout_check::ZoneMeasure wide = corridor(1294, 5264, 61, 292);
  EXPECT_NEAR(wide.deepest, 647, 0.1);
  const double beyond = 146 - 61;
  const double band = 1294 * 5264 + 2 * beyond * (1294 + 5264) + std::numbers::pi * beyond * beyond;
  EXPECT_NEAR(wide.pipeArea, band, 0.02 * band);
  EXPECT_NEAR(wide.heatedArea, (1294 - 122) * (5264 - 122), 0.03 * 1294 * 5264);
}

// A corridor exactly 2 (d0 + s) across holds a middle run only as a line
// without width: the area it heats is counted with and without that run
// (784 wide at d0 112, s 280); 2 mm wider the run fits and only the full
// area counts.
TEST_F(LayoutChecker, ARunThatBarelyFitsMayBeMissing) {
  const auto corridor = [](double width) {
    layout_check::Zone zone;
    const Point c[4] = {{0, 0}, {6145, 0}, {6145, width}, {0, width}};
    for (int i = 0; i < 4; ++i) zone.outline.push_back(Piece::line(c[i], c[(i + 1) % 4]));
    zone.d0 = 112;
    zone.s = 280;
    return layout_check::measureZone(zone, 0.25 * zone.s);
  };
  const layout_check::ZoneMeasure exact = corridor(784);
  // Without the middle run: the ring from s/2 - d0 outside the walls to
  // d0 + s/2 inside them.
  const double out = 140 - 112, in = 112 + 140;
  const double ring = (784 + 2 * out) * (6145 + 2 * out) - (784 - 2 * in) * (6145 - 2 * in);
  EXPECT_NEAR(exact.pipeAreaShallower, ring, 0.03 * ring);
  EXPECT_GT(exact.pipeArea, 1.3 * exact.pipeAreaShallower);
  const layout_check::ZoneMeasure wider = corridor(786);
  EXPECT_EQ(wider.pipeAreaShallower, wider.pipeArea);
  EXPECT_NEAR(wider.pipeArea, exact.pipeArea, 0.03 * exact.pipeArea);
}

// A narrowing tip holds runs only up to where it is 2 d0 wide: the area a
// pipe heats ends s/2 beyond them, short of the points d0 - s/2 from the
// walls that reach on towards the apex. A right triangle 4000 x 600 (its
// inner circle 277.6 across) at d0 150 and s 260 holds one loop, the
// triangle d0 inside it; the loop heats the band s/2 either side of it and
// its inside: the inner triangle grown by s/2, rounded at its corners. The
// points at least d0 - s/2 from the walls make 1.25 times that.
TEST_F(LayoutChecker, TipMeasureEndsWhereTheRunsEnd) {
  layout_check::Zone zone;
  const Point c[3] = {{0, 0}, {4000, 0}, {0, 600}};
  for (int i = 0; i < 3; ++i) zone.outline.push_back(Piece::line(c[i], c[(i + 1) % 3]));
  zone.d0 = 150;
  zone.s = 260;
  const layout_check::ZoneMeasure m = layout_check::measureZone(zone, 0.25 * zone.s);
  const double sides = 4000 + 600 + std::hypot(4000.0, 600.0);
  const double inRadius = 4000 * 600 / sides;
  EXPECT_NEAR(m.deepest, inRadius, 0.1);
  const double k = (inRadius - zone.d0) / inRadius;  // the inner triangle's scale
  const double r = 0.5 * zone.s;
  const double heats = 0.5 * 4000 * 600 * k * k + sides * k * r + std::numbers::pi * r * r;
  EXPECT_NEAR(m.pipeArea, heats, 0.03 * heats);
  const double k0 = (inRadius - zone.d0 + r) / inRadius;
  EXPECT_GT(0.5 * 4000 * 600 * k0 * k0, 1.2 * heats);
}

// The area without the parts narrower than a hairpin: a T whose stem, 600
// wide at d0 163 and s 297, leaves 274 < 1.1 s between its border lines
// loses the stem (all but its first 0.5 s) and keeps the bar whole, square
// corners and all, as the bar alone measures it.
TEST_F(LayoutChecker, WideMeasureLeavesOutAStemNarrowerThanAHairpin) {
  const auto measure = [](std::vector<Point> c) {
    layout_check::Zone zone;
    for (std::size_t i = 0; i < c.size(); ++i) zone.outline.push_back(Piece::line(c[i], c[(i + 1) % c.size()]));
    zone.d0 = 163;
    zone.s = 297;
    return layout_check::measureZone(zone, 0.25 * zone.s, 1.1 * zone.s);
  };
  const layout_check::ZoneMeasure bar = measure({{0, 0}, {3000, 0}, {3000, 2000}, {0, 2000}});
  EXPECT_NEAR(bar.pipeAreaWide, bar.pipeArea, 1e-9);
  const layout_check::ZoneMeasure t =
      measure({{0, 0}, {1200, 0}, {1200, -2500}, {1800, -2500}, {1800, 0}, {3000, 0}, {3000, 2000}, {0, 2000}});
  EXPECT_NEAR(t.pipeAreaWide, bar.pipeArea, 0.03 * bar.pipeArea);
  const double stem = (600 - 2 * (163 - 148.5)) * 2500;
  EXPECT_NEAR(t.pipeArea - t.pipeAreaWide, stem, 0.1 * stem);
}

// The meander's middle gap is the narrowest gap between runs side by side:
// here 80 between the runs at y 200 and 280 (s 100). Two runs that only
// meet end to end across a step of 60 (the second starting a rounding error
// before the first ends) make no gap. A hairpin in the gap whose legs were
// shortened below s (to 80) is still the gap: 70 between its legs at y 100
// and 170.
TEST_F(LayoutChecker, MiddleGapLiesBetweenRunsSideBySide) {
  const std::vector<Piece> steps = {
      Piece::line({0, 0}, {1000, 0}),        Piece::line({1000, 0}, {999.9999, 60}),
      Piece::line({999.9999, 60}, {2000, 60}), Piece::line({2000, 60}, {2000, 200}),
      Piece::line({2000, 200}, {0, 200}),    Piece::line({0, 200}, {0, 280}),
      Piece::line({0, 280}, {2000, 280})};
  const std::vector<Piece> shortened = {Piece::line({0, 0}, {2000, 0}), Piece::line({2000, 0}, {2000, 100}),
                                        Piece::line({2000, 100}, {1920, 100}), Piece::line({1920, 100}, {1920, 170}),
                                        Piece::line({1920, 170}, {2000, 170})};
  for (const auto& [pipe, middle, width] : {std::tuple(steps, 240.0, 80.0), std::tuple(shortened, 135.0, 70.0)}) {
    const auto gap = layout_check::meanderMiddleGap(pipe, {1, 0}, 100);
    ASSERT_TRUE(gap.has_value());
    EXPECT_NEAR(gap->from.y, middle, 1e-6);
    EXPECT_NEAR(gap->reach, 0.5 * (width + 100), 1e-6);
  }
}

// ---- The graph walk of a layout record ------------------------------------------

class LayoutGraphWalk : public layout_test::LayoutTest {};

// In Z9 (640 square, ends (420,0) / (220,0)): a lead up to the first loop
// (100,100)-(540,540), once round it counter-clockwise, and a lead down.
struct RingLayout {
  CFHPipeEnd start{Point(420, 0), 1, 0};
  CFHPipeEnd end{Point(220, 0), 1, 0};
  CFHCircuitLayout layout{100.0, 200.0, 200.0};
  COffsetLoop* loop;

  RingLayout() {
    layout.startEnd = &start;
    layout.endEnd = &end;
    loop = graph_test::polygonLoop({{100, 100}, {540, 100}, {540, 540}, {100, 540}}).release();
    layout.levels.push_back(new CFHCircuitLayout::Level{loop});
    layout.firstEdge = new COffsetEdge(start.point, CLoopPoint(Point(420, 100), loop->section(0)), loop, layout.nodes);
    layout.edges.push_back(layout.firstEdge);
    COffsetNode* b = layout.appendNodeOnLoopAt(layout.firstEdge->b, CLoopPoint(Point(220, 100), loop->section(0)),
                                               loop, 1);
    layout.appendNodeOnLoop(b, end.point, {}, nullptr, 1, true);
    layout.lastEdge = layout.edges.back();
  }
};

TEST_F(LayoutGraphWalk, RingAroundTheFirstLoopIsOnePassingPipe) {
  RingLayout ring;
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(ring.layout);
  EXPECT_TRUE(path.faults.empty()) << path.faults.front();
  EXPECT_EQ(path.edgesOnPath, 3);
  EXPECT_EQ(path.edgesOffPath, 0);
  ASSERT_EQ(path.pieces.size(), 7u);
  zone_set::ZoneCase z9 = zone_set::z9();
  const Report r = layout_check::checkLayout(zone_set::checkZone(z9), path.pieces, {0.99, 1.01, 0.75, false});
  EXPECT_TRUE(r.sound()) << r.summary();
  EXPECT_NEAR(r.inZoneLength, 1560.0, 1e-6);
}

TEST_F(LayoutGraphWalk, ReportsDeadEndsBranchesAndEdgesOffThePath) {
  RingLayout ring;
  // A spur from the loop node: that node now has three edges, and the edge
  // is off the path.
  ring.layout.appendNodeOnLoop(ring.layout.firstEdge->b, Point(420, 300), {}, nullptr, 1, true);
  layout_check::GraphPath path = layout_check::walkLayoutGraph(ring.layout);
  ASSERT_EQ(path.faults.size(), 2u);
  EXPECT_NE(path.faults[0].find("3 edges"), std::string::npos) << path.faults[0];
  EXPECT_NE(path.faults[1].find("dead end"), std::string::npos) << path.faults[1];
  EXPECT_EQ(path.edgesOffPath, 3) << "the walk stops at the branch";

  RingLayout stray;
  stray.layout.edges.push_back(new COffsetEdge(Point(300, 300), Point(320, 300), stray.layout.nodes));
  path = layout_check::walkLayoutGraph(stray.layout);
  EXPECT_TRUE(path.faults.empty());
  EXPECT_EQ(path.edgesOffPath, 1);

  RingLayout broken;
  broken.layout.lastEdge->setFlags(kEdgeNotDrawn);
  broken.layout.lastEdge = nullptr;  // the walk runs into the end node
  path = layout_check::walkLayoutGraph(broken.layout);
  ASSERT_FALSE(path.faults.empty());
  EXPECT_NE(path.faults.back().find("dead end"), std::string::npos) << path.faults.back();
  EXPECT_EQ(path.notDrawn.size(), 1u);

  CFHCircuitLayout empty(100.0, 200.0, 0.0);
  EXPECT_EQ(layout_check::walkLayoutGraph(empty).faults.size(), 1u);
}

}  // namespace
