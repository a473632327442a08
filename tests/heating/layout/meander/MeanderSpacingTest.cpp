// The meander keeps its spacing and covers its zone: the rule of when two
// samples of the pipe are too near, the run crossings that stay on their
// run, the cut pockets, shortened hairpins and the hairpins of the detours
// on rooms with slanted and bowed walls, a notch, a stem and an acute corner
// (no turn of the pipe sharper than 60 degrees, none of its pieces nearer
// than the rule allows, no wide part of the heated area farther than 1.5 s
// from it), also turned, far from the origin and the other way round, and
// the path edits they share.
#include "LayoutCheckAdapters.h"
#include "MeanderGap.h"
#include "MeanderZones.h"

#include "heating/layout/meander/CFHMeanderPoint.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/meander/MeanderPathEdits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using meander_spacing::SpacingRule;
using meander_test::UnitScope;
using P = XtGePoint2d;

// The exact search of too-near points between straight pieces of a pipe:
// a hairpin of legs a spacing apart keeps it, narrower ones do not but in
// the middle gap's strip (x 900 to 1000, widened by s/2 either side) or a
// band (200 from x = 0, and s/2 beyond) down to s/2, or beside a jog's wall
// down to its least distance; an acute V is found at the points more
// than two spacings apart along it, and not before `from`.
TEST(MeanderSpacingSearch, ExactlyBetweenPiecesWithTheGapAndTheBands) {
  using meander_spacing::SpacedPiece;
  const meander_spacing::GapStrip gap{{0, 0}, {1, 0}, 900, 1000};
  const std::vector<MeanderBandEdge> bands{{{0, 0}, {0, 3000}, 200}};
  const SpacingRule rule(200, {&gap, &bands});
  const SpacingRule plain(200, {});
  // Down at x, across to x + w, up again: legs 1000 long, judged.
  const auto hairpin = [](double x, double w) {
    return std::vector<SpacedPiece>{{{x, 1000}, {x, 0}, 0, true, 0},
                                    {{x, 0}, {x + w, 0}, 1000, true, 1},
                                    {{x + w, 0}, {x + w, 1000}, 1000 + w, true, 2}};
  };
  const auto near = [](const SpacingRule& r, std::vector<SpacedPiece> pieces, double from = -1e300) {
    meander_spacing::NearPair pair;
    return meander_spacing::SpacingSearch(std::move(pieces), r, {1, 0}).first(from, pair);
  };
  EXPECT_FALSE(near(plain, hairpin(500, 200)));
  EXPECT_FALSE(near(plain, hairpin(500, 198.5)));
  EXPECT_TRUE(near(plain, hairpin(500, 197.5)));
  EXPECT_FALSE(near(rule, hairpin(900, 100))) << "the middle gap";
  EXPECT_TRUE(near(rule, hairpin(900, 97))) << "below s/2 in the gap";
  EXPECT_TRUE(near(rule, hairpin(600, 150))) << "beside the gap";
  // Pipe 150 below the gap hairpin's turn, across the strip: beyond the
  // gap's runs (along 0 to 1000) it keeps s, though it lies within the strip
  // across.
  meander_spacing::GapStrip bounded = gap;
  bounded.alongFrom = 0;
  bounded.alongTo = 1000;
  const SpacingRule boundedRule(200, {&bounded, &bands});
  auto below = hairpin(900, 100);
  below.push_back({{800, -150}, {1100, -150}, 5000, true, 3});
  EXPECT_FALSE(near(rule, below)) << "the whole strip narrowed";
  EXPECT_TRUE(near(boundedRule, below)) << "beyond the gap's runs";
  EXPECT_FALSE(near(boundedRule, hairpin(900, 100))) << "between the gap's runs";
  EXPECT_TRUE(boundedRule.inGap({950, 500}));
  EXPECT_FALSE(boundedRule.inGap({950, -1}));
  EXPECT_FALSE(near(rule, hairpin(50, 100))) << "both legs in the band";
  EXPECT_FALSE(near(rule, hairpin(150, 100))) << "the band's margin of s/2 beyond its width";
  EXPECT_TRUE(near(rule, hairpin(250, 100))) << "one leg beyond the band and its margin";
  // Beside a jog's wall (x = 0, reach 300) two pieces may come to 150 (s
  // less the jog, less 1 % of s); farther from the wall they keep s.
  const std::vector<MeanderJogWall> jogs{{{0, 0}, {0, 3000}, 300, 150}};
  const SpacingRule jogged(200, {nullptr, nullptr, &jogs});
  EXPECT_FALSE(near(jogged, hairpin(100, 150))) << "beside the jog";
  EXPECT_TRUE(near(jogged, hairpin(100, 145))) << "nearer than the jog allows";
  EXPECT_TRUE(near(jogged, hairpin(600, 150))) << "beyond the jog's reach";
  EXPECT_DOUBLE_EQ(jogged.jogLeast({250, 500}), 150.0);
  EXPECT_EQ(jogged.jogLeast({350, 500}), 0.0);
  auto unjudged = hairpin(500, 100);
  for (SpacedPiece& piece : unjudged) piece.judged = false;
  EXPECT_FALSE(near(plain, unjudged));

  // A V of 20 degrees at the origin: its legs s apart 576 from the apex.
  const XtGePoint2d tip(0, 0), right(1000, 0), left(1000 * std::cos(0.349), 1000 * std::sin(0.349));
  const std::vector<SpacedPiece> v{{left, tip, 0, true, 0}, {tip, right, 1000, true, 1}};
  meander_spacing::NearPair pair;
  ASSERT_TRUE(meander_spacing::SpacingSearch(v, plain, {0, 1}).first(-1e300, pair));
  EXPECT_GT(pair.t2 - pair.t1, 400.0);
  EXPECT_LT(std::fabs((pair.t1 + pair.t2) / 2 - 1000), 1.0) << "symmetric about the tip";
  EXPECT_FALSE(near(plain, v, 1000.0)) << "nothing after the tip on its own";
  // Corners of pieces one after the other: a right angle keeps the spacing
  // (points 2 s apart along it lie at least sqrt(2) s apart), 45 degrees not.
  const auto corner = [](double degrees) {
    const double a = degrees * M_PI / 180.0;
    return std::vector<SpacedPiece>{{{1000 * std::cos(a), 1000 * std::sin(a)}, {0, 0}, 0, true, 0},
                                    {{0, 0}, {1000, 0}, 1000, true, 1}};
  };
  EXPECT_FALSE(near(plain, corner(90)));
  EXPECT_FALSE(near(plain, corner(80)));
  EXPECT_TRUE(near(plain, corner(45)));
}

struct Laid {
  explicit Laid(zone_set::ZoneCase c) : zone(meander_test::meanderZone(c)), check(zone_set::checkZone(c)) {
    ok = zone->layout->layoutMeander();
    if (ok) path = layout_check::walkLayoutGraph(*zone->layout);
  }
  std::unique_ptr<meander_test::MeanderZone> zone;
  layout_check::Zone check;
  bool ok = false;
  layout_check::GraphPath path;
};

zone_set::ZoneCase room(std::vector<P> outline, P start, P end, double d0, double s) {
  zone_set::ZoneCase c = zone_set::make(zone_fixture::polygon("", outline), 0, start, end);
  c.firstOffset = d0;
  c.spacing = s;
  return c;
}

// The rooms whose runs once left floor bare, turned by `angle` about the
// origin and moved by `shift`: a trapezoid whose side wall slants 376 over
// the depth, a room whose side wall bows in by 598 and a T room entered by
// its bar (stem 933 wide), each entered through the wall on y = 0.
std::vector<zone_set::ZoneCase> onceBareRooms(double angle, XtGeVector2d shift, bool swapped) {
  const auto at = [&](double x, double y) {
    P p(x, y);
    p.rotateBy(angle);
    return p + shift;
  };
  std::vector<zone_set::ZoneCase> cases;
  const auto add = [&](std::vector<zone_fixture::Step> steps, double x, double d0, double s) {
    const P from = steps.back().to;
    for (zone_fixture::Step& step : steps) step.to = at(step.to.x, step.to.y);
    const P start = at(x + 100, 0), end = at(x - 100, 0);
    zone_set::ZoneCase c = zone_set::make(zone_fixture::outline("", at(from.x, from.y), steps), 0,
                                          swapped ? end : start, swapped ? start : end);
    c.firstOffset = d0;
    c.spacing = s;
    cases.push_back(std::move(c));
  };
  add({{{2097, 0}}, {{2097, 3541}}, {{376, 3541}}, {{0, 0}}}, 1640, 163.178, 288);
  add({{{3388, 0}}, {{3388, 5975}, -0.2}, {{0, 5975}}, {{0, 0}}}, 1700, 171, 244);
  add({{{2213, 0}}, {{2213, 2211}}, {{1539, 2211}}, {{1539, 4452}}, {{606, 4452}}, {{606, 2211}}, {{0, 2211}}, {{0, 0}}},
      1374, 163.178, 259);
  return cases;
}

// A quadrilateral with a slanted wall (runs end on it one by one), a U room
// whose notch wall lies 24 mm beside a run, a T room entered by its stem,
// a room with an acute corner, and the rooms once left bare; with the pipe
// ends swapped when asked.
std::vector<zone_set::ZoneCase> rooms(bool swapped) {
  std::vector<zone_set::ZoneCase> cases;
  const auto add = [&](std::vector<P> outline, P start, P end, double d0, double s) {
    cases.push_back(swapped ? room(std::move(outline), end, start, d0, s) : room(std::move(outline), start, end, d0, s));
  };
  add({{0, 0}, {4700, 0}, {4700, 5440}, {930, 5440}}, {1900, 0}, {2100, 0}, 163.2, 113);
  add({{0, 0}, {4180, 0}, {4180, 4940}, {2580, 4940}, {2580, 2030}, {1500, 2030}, {1500, 4940}, {0, 4940}},
      {1855, 0}, {2005, 0}, 143, 215);
  add({{1700, 0}, {3000, 0}, {3000, 2800}, {5800, 2800}, {5800, 5260}, {-300, 5260}, {-300, 2800}, {1700, 2800}},
      {2250, 0}, {2450, 0}, 163.2, 103);
  add({{0, 0}, {1400, 0}, {1400, 1500}, {-1200, 4100}}, {600, 0}, {800, 0}, 93, 173);
  for (zone_set::ZoneCase& c : onceBareRooms(0.0, {0, 0}, swapped)) cases.push_back(std::move(c));
  return cases;
}

// The pipe laid keeps the rule everywhere but in the middle gap (the
// checker's spacing, with the narrowest facing gap of runs allowed down to
// s/2), stays inside at d0, never turns sharper than 60 degrees and leaves
// no point of the heated area farther than 1.5 s from it but in the parts
// narrower than 1.1 s beyond it (reflex corners allowed their chamfer).
void expectSound(zone_set::ZoneCase c) {
  const Laid laid(std::move(c));
  ASSERT_TRUE(laid.ok && laid.path.faults.empty());
  const auto& pipe = laid.path.pieces;
  layout_check::Options options(0.0, 1e300, 1.5, true);
  options.narrowWidth = 1.1 * laid.check.s;
  const XtGeVector2d runs = laid.zone->layout->baseItem->curve->direction().perpVector();
  if (const auto gap = meander_test::middleGap(pipe, runs, laid.check.s)) options.allowances.push_back(*gap);
  layout_check::addReflexCornerAllowances(laid.check, 2.0, options);
  // An arc wall is laid as the host splits it, in chords of 400: near it the
  // pipe may come nearer by twice a chord's sagitta.
  for (const layout_check::Piece& wall : laid.check.outline) {
    if (!wall.isArc) continue;
    const double sagitta = 400.0 * 400.0 / (8.0 * wall.radius);
    const double bow = wall.radius * (1.0 - std::cos(0.5 * std::fabs(wall.sweep)));
    options.wallAllowances.push_back({wall.start, wall.end, laid.check.d0 + bow + laid.check.s,
                                      laid.check.d0 - 2.0 * sagitta, false, "an arc wall in chords", 0});
  }
  const layout_check::Report report = layout_check::checkLayout(laid.check, pipe, options);
  EXPECT_TRUE(report.sound() && report.coverage.ok) << report.summary();
  for (std::size_t i = 2; i + 2 < pipe.size(); ++i) {
    const XtGeVector2d in = pipe[i - 1].start - pipe[i - 1].end;
    const XtGeVector2d out = pipe[i].end - pipe[i].start;
    if (in.length() < 1e-6 || out.length() < 1e-6) continue;
    EXPECT_GE(in.angleTo(out), M_PI / 3 - 1e-9) << "at (" << pipe[i].start.x << ", " << pipe[i].start.y << ")";
  }
}

TEST(MeanderKeepsItsSpacing, BesideSlantedWallsNotchesAndSharpCorners) {
  const UnitScope units(1000);
  for (const bool swapped : {false, true}) {
    std::vector<zone_set::ZoneCase> cases = rooms(swapped);
    for (std::size_t index = 0; index < cases.size(); ++index) {
      SCOPED_TRACE(testing::Message() << "room " << index << (swapped ? ", pipe ends swapped" : ""));
      expectSound(std::move(cases[index]));
    }
  }
}

// The rooms once left bare turned by 37 degrees and moved far from the
// origin, as drawn and the other way round.
TEST(MeanderKeepsItsSpacing, CoversTheBandsAndTheStemTurnedFarAndTheOtherWayRound) {
  const UnitScope units(1000);
  const auto turned = [] { return onceBareRooms(37.0 * M_PI / 180.0, {3141593, -2718282}, false); };
  for (std::size_t index = 0; index < 3; ++index) {
    SCOPED_TRACE(testing::Message() << "room " << index);
    expectSound(std::move(turned()[index]));
    expectSound(zone_set::clockwise(std::move(turned()[index])));
  }
}

// The pipe ends 200 apart beside the acute corner where a wall bowed into
// the room meets the pipe ends' wall (s 117): the start's point on the
// first loop falls into the corner, and the loop beyond it comes back within
// s of the end's point unless that point moves away along the loop; also
// with the ends swapped.
TEST(MeanderKeepsItsSpacing, PipeEndsBesideAnAcuteCorner) {
  const UnitScope units(1000);
  for (const bool swapped : {false, true}) {
    SCOPED_TRACE(swapped ? "ends swapped" : "as drawn");
    const P start = swapped ? P(2442, 0) : P(2642, 0), end = swapped ? P(2642, 0) : P(2442, 0);
    zone_set::ZoneCase c = zone_set::make(
        zone_fixture::outline("bowed", {0, 0}, {{{2904, 0}}, {{2904, 4918}, -0.39}, {{0, 4918}}, {{0, 0}}}), 0, start,
        end);
    c.firstOffset = 163.178;
    c.spacing = 117;
    const Laid laid(std::move(c));
    ASSERT_TRUE(laid.ok && laid.path.faults.empty());
    const XtGeVector2d runs = laid.zone->layout->baseItem->curve->direction().perpVector();
    layout_check::Options options(0.0, 1e300, 0.0, false);
    if (const auto gap = meander_test::middleGap(laid.path.pieces, runs, 117)) options.allowances.push_back(*gap);
    const layout_check::Report report = layout_check::checkLayout(laid.check, laid.path.pieces, options);
    EXPECT_TRUE(report.spacing.ok && report.simple.ok) << report.summary();
  }
}

// Both pipe ends beyond the apex of the first loop's narrow tip (a
// corridor 1283 wide whose far end slants by 3664, about 19 degrees,
// entered by its long wall next to the tip; s 205): both points on the first
// loop fall in the tip, and the supply and the return walk along its two
// sides nearer than s for about 600 mm unless one point moves out of the
// tip; also with the ends swapped.
TEST(MeanderKeepsItsSpacing, PipeEndsInANarrowTip) {
  const UnitScope units(1000);
  for (const bool swapped : {false, true}) {
    SCOPED_TRACE(swapped ? "ends swapped" : "as drawn");
    const P start = swapped ? P(8376, 0) : P(8476, 0), end = swapped ? P(8476, 0) : P(8376, 0);
    expectSound(room({{0, 0}, {8834, 0}, {5170, 1283}, {0, 1283}}, start, end, 163.178, 205));
  }
}

// A corridor 982 wide entered by its end (runs along it, d0 163, s 235),
// whose inner level is too narrow to reach the second run: a hairpin is
// laid all the same, turning at its first run's own depth: four pieces
// along the corridor (the first loop's two sides and the two legs).
TEST(MeanderKeepsItsSpacing, ANarrowCorridorGetsItsHairpin) {
  const UnitScope units(1000);
  zone_set::ZoneCase c =
      room({{0, 0}, {982, 0}, {982, 6024}, {0, 5460}}, {593, 0}, {493, 0}, 163.178, 235);
  const Laid laid(std::move(c));
  ASSERT_TRUE(laid.ok && laid.path.faults.empty());
  int along = 0;
  for (const layout_check::Piece& piece : laid.path.pieces)
    along += std::fabs(piece.end.x - piece.start.x) < 1e-6 && piece.length() > 3000.0 ? 1 : 0;
  EXPECT_EQ(along, 4);
  expectSound(room({{0, 0}, {982, 0}, {982, 6024}, {0, 5460}}, {593, 0}, {493, 0}, 163.178, 235));
}

// Every crossing record of a run lies on the run, also where a run passes a
// level-1 section at an angle within the coarse tolerance of its end (the
// slanted room's run at x 1180.2 passes its corner 17 mm away).
TEST(MeanderKeepsItsSpacing, CrossingRecordsLieOnTheirRun) {
  const UnitScope units(1000);
  zone_set::ZoneCase c = room({{0, 0}, {4700, 0}, {4700, 5440}, {930, 5440}}, {1900, 0}, {2100, 0}, 163.2, 113);
  auto z = meander_test::meanderZone(c);
  const CFloorHeatingLine run({1180.2, -10}, {1180.2, 6000}, nullptr, 10);
  const CFloorHeatingLine cross({0, 0}, {4700, 0}, nullptr, 1);
  std::vector<CFHMeanderPoint> records;
  ASSERT_TRUE(z->layout->collectRunCrossings(run, records, cross, layoutTolFine, workTol, heatingTolCoarse));
  EXPECT_EQ(records.size(), 6u) << "wall, first loop, level 1 on both sides";
  for (const CFHMeanderPoint& r : records) EXPECT_NEAR(r.point.point.x, 1180.2, 1e-6);
}

// The path edit: a stretch of the laid rectangle replaced by a connector
// leaves one path from pipe end to pipe end, the edges and nodes cut out
// deleted, and the length less by what was cut out plus the connector.
TEST(MeanderKeepsItsSpacing, AShortcutLeavesOnePath) {
  const UnitScope units(1000);
  zone_set::ZoneCase c = zone_set::z1();
  auto z = meander_test::meanderZone(c);
  CFHCircuitLayout& layout = *z->layout;
  ASSERT_TRUE(layout.layoutMeander());
  const auto bare = [&] {
    return std::count_if(layout.nodes.begin(), layout.nodes.end(), [](const COffsetNode* n) { return n->edges.empty(); });
  };
  const auto bareBefore = bare();
  const double before = layout_check::checkLayout(zone_set::checkZone(c), layout_check::walkLayoutGraph(layout).pieces,
                                                  layout_check::Options(0, 1e300, 0, false))
                            .pipeLength;
  {
    MeanderPath path(layout, *layout.firstOffsetLoop(), {0, 1}, 200, {});
    const meander_spacing::PipeStretch whole = path.whole();
    ASSERT_GT(whole.total, 3000.0);
    const double t1 = 1000.0, t2 = 2500.0;
    const double chord = whole.at(t1).distanceTo(whole.at(t2));
    ASSERT_NE(path.shortcut(whole, t1, t2), nullptr);
    path.purge();
    const layout_check::GraphPath after = layout_check::walkLayoutGraph(layout);
    EXPECT_TRUE(after.faults.empty() && after.edgesOffPath == 0);
    const double length = layout_check::checkLayout(zone_set::checkZone(c), after.pieces,
                                                    layout_check::Options(0, 1e300, 0, false))
                              .pipeLength;
    EXPECT_NEAR(length, before - (t2 - t1) + chord, 1e-6);
    EXPECT_EQ(path.shortcut(whole, t2, t1), nullptr) << "a shortcut runs forward";
  }
  EXPECT_EQ(bare(), bareBefore) << "the nodes cut out are deleted";
}

}  // namespace
