// The soundness checks of a laid path on hand-made paths (millimetres, pipe
// diameter 17): a clean meander, a double spiral of half circles and corners
// of 15 degrees pass; a crossing (also of a small loop), two runs whose
// pipes overlap by 10 mm, a stretch laid over another, a spike and a spacing
// below the diameter fail, and name the zones of both pieces; a piece 5 mm outside its zone fails, while leads
// along the distribution pipe, links through the wall to the next zone and
// runs on the wall pass. The exact distances of the pieces are judged
// against dense samples on seeded random pieces.
#include "heating/layout/checks/PathContainmentCheck.h"
#include "heating/layout/checks/PathSpacingCheck.h"

#include "heating/curves/CFHBoundLoop.h"

#include "ZoneFixtures.h"
#include "LayoutTestSupport.h"

#include <cmath>
#include <numbers>
#include <random>

namespace {

using layout_test::LayoutTest;
using P = XtGePoint2d;
using Part = CFHCircuitSegment::Part;
constexpr double kPi = std::numbers::pi;
constexpr double kDiameter = 17.0;

// A path built piece by piece, each piece starting where the last ended.
struct Path {
  explicit Path(P start) : at(start) {}
  Path& to(P end, Part part = Part::kRun) {
    pieces.push_back({PathPiece::line(at, end), zone, part});
    at = end;
    return *this;
  }
  // A half circle about the centre from the current point, clockwise.
  Path& halfTurnAbout(P centre) {
    const PathPiece arc =
        PathPiece::arc(centre, at.distanceTo(centre), std::atan2(at.y - centre.y, at.x - centre.x), -kPi);
    pieces.push_back({arc, zone, Part::kRun});
    at = arc.end;
    return *this;
  }
  std::vector<std::uint8_t> faults() const {
    std::vector<std::uint8_t> marks;
    PathSpacingCheck check;
    EXPECT_TRUE(check.check(pieces, {kDiameter}, kDiameter, marks));
    return marks;
  }
  bool crossesItself() const {
    const std::vector<std::uint8_t> marks = faults();
    return std::find(marks.begin(), marks.end(), 1) != marks.end();
  }
  P at;
  std::uint32_t zone = 0;
  std::vector<LaidPathPiece> pieces;
};

// A meander in the rectangle (0,0)-(4000,3000) at the spacing, 100 inside
// the walls: in along the left wall's lead, legs across, back up the right.
Path meander(double spacing) {
  Path path(P(100, 0));
  path.to({100, 100}, Part::kLead);
  double y = 100;
  for (int leg = 0; y + spacing <= 2800; ++leg, y += spacing)
    path.to({leg % 2 == 0 ? 3800.0 : 100.0, y}).to({leg % 2 == 0 ? 3800.0 : 100.0, y + spacing});
  return path.to({3900, y}).to({3900, 100}).to({3900, 0}, Part::kLead);
}

// A double spiral of half circles at spacing 100: in along the upper halves
// about (0,0) and the lower ones about (100,0), out along the mirror image
// through (50,0), the two joined at the middle by a straight of 100.
Path doubleSpiral() {
  Path path(P(-400, -100));
  path.to({-400, 0}, Part::kLead);
  for (int turn = 0; turn < 2; ++turn) path.halfTurnAbout({0, 0}).halfTurnAbout({100, 0});
  path.to({100, 0});
  const std::size_t in = path.pieces.size() - 1;
  // The way out: the way in turned half a turn about (50,0), walked back.
  for (std::size_t i = in; i-- > 1;) {
    const PathPiece& piece = path.pieces[i].geometry;
    const P centre(100 - piece.centre.x, -piece.centre.y);
    path.pieces.push_back({PathPiece::arc(centre, piece.radius, piece.startAngle + piece.sweep + kPi, -piece.sweep),
                           0, Part::kRun});
  }
  path.at = path.pieces.back().geometry.end;
  return path.to({500, 100}, Part::kLead);
}

TEST_F(LayoutTest, CleanMeanderAndDoubleSpiralKeepClearOfThemselves) {
  EXPECT_FALSE(meander(200).crossesItself());
  EXPECT_FALSE(meander(20).crossesItself());  // runs 20 apart: the 17 mm pipes do not touch
  const Path spiral = doubleSpiral();
  ASSERT_EQ(spiral.pieces.size(), 11u);
  for (std::size_t i = 1; i < spiral.pieces.size(); ++i)
    ASSERT_LT(spiral.pieces[i - 1].geometry.end.distanceTo(spiral.pieces[i].geometry.start), 1e-9) << i;
  EXPECT_FALSE(spiral.crossesItself());
  // The lead turned back down along the way the spiral came: a spike.
  Path spike = spiral;
  spike.pieces.back().geometry = PathPiece::line({500, 0}, {500, -100});
  EXPECT_TRUE(spike.crossesItself());
  // Corners of 15 degrees are corners, however long their legs (the meander
  // meets a round wall at such corners); sharper ones bring long legs within
  // 17 mm of each other beyond the reach of 8 diameters (136), short ones
  // conflict only below 5 degrees.
  const auto corner = [](double degrees, double leg) {
    const double a = degrees * kPi / 180;
    return Path(P(0, 0)).to({leg, 0}).to({leg - leg * std::cos(a), leg * std::sin(a)});
  };
  EXPECT_FALSE(corner(15, 1000).crossesItself());
  EXPECT_TRUE(corner(13, 1000).crossesItself());
  EXPECT_FALSE(corner(5.1, 60).crossesItself());
  EXPECT_TRUE(corner(4.9, 60).crossesItself());
}

TEST_F(LayoutTest, CrossingsOverlapsAndSpikesAreFound) {
  // The last piece crosses the first.
  EXPECT_TRUE(Path(P(0, 0)).to({1000, 0}).to({1000, 500}).to({500, 500}).to({500, -500}).crossesItself());
  // Runs 7 mm apart: the pipes overlap by 10 mm of their width.
  EXPECT_TRUE(Path(P(0, 0)).to({1000, 0}).to({1000, 200}).to({0, 200}).to({0, 7}).to({900, 7}).crossesItself());
  // A stretch of 10 mm laid over the first piece.
  EXPECT_TRUE(Path(P(0, 0)).to({1000, 0}).to({1000, 400}).to({-300, 400}).to({-300, 0}).to({10, 0}).crossesItself());
  // A spike that folds back on itself.
  EXPECT_TRUE(Path(P(0, 0)).to({1000, 0}).to({500, 10}).crossesItself());
  // A loop of 70 mm that crosses itself.
  EXPECT_TRUE(Path(P(0, 0)).to({30, 0}).to({30, 20}).to({15, 20}).to({15, -10}).crossesItself());
  // A half circle that turns back where the line before it arrives: a cusp.
  EXPECT_TRUE(Path(P(0, 0)).to({30, 0}).halfTurnAbout({30, 10}).crossesItself());
  // Legs nearer than the pipe is thick.
  EXPECT_TRUE(meander(15).crossesItself());
  // The same crossing far from the origin.
  EXPECT_TRUE(Path(P(1e7, 1e7)).to({1e7 + 1000, 1e7}).to({1e7 + 1000, 1e7 + 500}).to({1e7 + 500, 1e7 + 500})
                  .to({1e7 + 500, 1e7 - 500})
                  .crossesItself());
}

TEST_F(LayoutTest, CrossingNamesTheZonesOfBothPieces) {
  Path path(P(0, 0));
  path.to({1000, 0}).to({1000, 500});
  path.zone = 1;
  path.to({1000, 1500}).to({2000, 1500});
  path.zone = 2;
  path.to({2500, 1500}).to({2500, -300}).to({500, -300}).to({500, 100});
  EXPECT_EQ(path.faults(), (std::vector<std::uint8_t>{1, 0, 1}));

  // A piece without finite coordinates names its zone.
  Path broken(P(0, 0));
  broken.to({1000, 0}).to({NAN, 0});
  EXPECT_EQ(broken.faults(), (std::vector<std::uint8_t>{1}));
}

// The rectangle (0,0)-(4000,3000) as a zone's outline.
struct Rectangle {
  Rectangle() {
    const zone_fixture::Zone outline = zone_fixture::z1Rectangle();
    loop.setFromCurves(outline.raw());
    EXPECT_TRUE(check.setLoop(loop, workTol));
  }
  bool leaves(const Path& path, std::uint32_t zone = 0) const { return check.leaves(path.pieces, zone); }
  CFHBoundLoop loop;
  PathContainmentCheck check;
};

TEST_F(LayoutTest, RunsOutsideTheZoneAreFound) {
  const Rectangle zone;
  EXPECT_FALSE(zone.leaves(meander(200)));
  // A leg 5 mm beyond the top wall.
  Path beyond(P(100, 0));
  beyond.to({100, 100}, Part::kLead).to({100, 3005}).to({3800, 3005}).to({3800, 100});
  EXPECT_TRUE(zone.leaves(beyond));
  // A run cutting across the corner: only its middle lies outside.
  EXPECT_TRUE(zone.leaves(Path(P(3500, 2900)).to({4100, 2500}).to({3500, 2000})));
  // A run along the wall lies on it, within the tolerance.
  EXPECT_FALSE(zone.leaves(Path(P(0, 100)).to({0, 2900}).to({0.0005, 2950}).to({100, 2950})));
  // Wholly outside.
  EXPECT_TRUE(zone.leaves(Path(P(5000, 100)).to({5000, 200})));
}

TEST_F(LayoutTest, LeadsAndLinksMayLeaveTheZone) {
  const Rectangle zone;
  // In along the distribution pipe from 300 below the wall, over to the
  // next zone through the right wall and back, out along the pipe again.
  Path path(P(2100, -300));
  path.to({2100, 100}, Part::kLead).to({3800, 100}).to({3800, 1400});
  path.to({4300, 1400}, Part::kLink);
  path.zone = 1;
  path.to({6000, 1400}).to({6000, 1600}).to({4300, 1600});
  path.zone = 0;
  path.to({3800, 1600}, Part::kLink).to({3800, 2800}).to({1900, 2800}).to({1900, -300}, Part::kLead);
  EXPECT_FALSE(zone.leaves(path));
  EXPECT_FALSE(path.crossesItself());
  // Zone 1's runs lie outside zone 0's outline, and are judged by their own.
  EXPECT_TRUE(zone.leaves(path, 1));
  // The same link as a run leaves the zone.
  path.pieces[3].part = Part::kRun;
  EXPECT_TRUE(zone.leaves(path));
}

TEST_F(LayoutTest, ArcsAreJudgedByTheirTrueShape) {
  // The semicircular end of (0,0)-(4000,3000), centre (4000,1500), R 1500.
  CFHBoundLoop loop;
  const zone_fixture::Zone outline = zone_fixture::z6SemicircularEnd();
  loop.setFromCurves(outline.raw());
  PathContainmentCheck check;
  ASSERT_TRUE(check.setLoop(loop, workTol));
  const auto halfCircle = [](double radius) {
    Path path(P(4000, 1500 + radius));
    path.halfTurnAbout({4000, 1500});
    return path;
  };
  EXPECT_FALSE(check.leaves(halfCircle(1400).pieces, 0));
  EXPECT_FALSE(check.leaves(halfCircle(1500).pieces, 0));  // on the wall
  EXPECT_TRUE(check.leaves(halfCircle(1505).pieces, 0));
  // An arc between two points 600 inside the wall's tip whose bulge passes
  // it by 10.
  const P centre(5042.3, 1500);
  const double start = std::atan2(400, 4800 - centre.x);
  Path bulge(P(4800, 1900));
  bulge.pieces.push_back({PathPiece::arc(centre, std::hypot(400, 4800 - centre.x), start, -2 * start), 0, Part::kRun});
  EXPECT_NEAR(bulge.pieces[0].geometry.at(0.5 * bulge.pieces[0].geometry.length()).x, 5510, 0.1);
  EXPECT_TRUE(check.leaves(bulge.pieces, 0));
}

// The least distance of two pieces, from samples 0.05 mm apart along each.
double sampledDistance(const PathPiece& a, const PathPiece& b) {
  double best = 1e300;
  const int n = 2000;
  for (int i = 0; i <= n; ++i) {
    const P p = a.at(a.length() * i / n);
    best = std::min(best, b.distanceTo(p));
    const P q = b.at(b.length() * i / n);
    best = std::min(best, a.distanceTo(q));
  }
  return best;
}

TEST_F(LayoutTest, PieceDistancesAreExact) {
  std::mt19937 random(57);
  std::uniform_real_distribution<double> coordinate(-100.0, 100.0), angle(-kPi, kPi), sweep(-2 * kPi, 2 * kPi),
      radius(1.0, 80.0);
  const auto randomPiece = [&](int kind) {
    if (kind == 0) return PathPiece::line({coordinate(random), coordinate(random)}, {coordinate(random), coordinate(random)});
    return PathPiece::arc({coordinate(random), coordinate(random)}, radius(random), angle(random), sweep(random));
  };
  for (int trial = 0; trial < 600; ++trial) {
    const PathPiece a = randomPiece(trial % 2);
    const PathPiece b = randomPiece(trial / 2 % 2);
    const double exact = distanceBetween(a, b);
    const double sampled = sampledDistance(a, b);
    // Samples 0.05 apart along pieces of at most 2 pi 80 in length.
    ASSERT_LE(exact, sampled + 1e-9) << trial;
    ASSERT_GE(exact, sampled - 0.3) << trial;
    // Every place where a meets b lies on both.
    double at[4];
    const int n = meetingsAlong(a, b, 1e-6, at);
    for (int i = 0; i < n; ++i) ASSERT_LT(b.distanceTo(a.at(at[i])), 1e-5) << trial << " " << i;
    if (exact > 1e-6) {
      ASSERT_EQ(n, 0) << trial;
    }
  }
  // Pieces of one circle, and a point.
  const PathPiece upper = PathPiece::arc({0, 0}, 50, 0, kPi);
  EXPECT_NEAR(distanceBetween(upper, PathPiece::arc({0, 0}, 30, kPi / 2, 0.1)), 20.0, 1e-12);
  const PathPiece lower = PathPiece::arc({0, 0}, 30, -kPi / 2, 0.1);
  EXPECT_NEAR(distanceBetween(upper, lower), sampledDistance(upper, lower), 0.05);
  EXPECT_NEAR(distanceBetween(PathPiece::line({0, 10}, {0, 10}), upper), 40.0, 1e-12);
}

}  // namespace
