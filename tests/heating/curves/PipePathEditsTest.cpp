// Edits the design model makes on pipe paths: joining curves and chains,
// removing doubled-back stretches, thinning, centre lines, end trimming, the
// route found from its two leads and moving connection points off corners.
#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoop.h"
#include "heating/curves/CircuitPolyline.h"
#include "heating/curves/CurveChains.h"
#include "heating/curves/HeatingCurveOverlaps.h"
#include "heating/curves/LeadCentreLine.h"

#include "CurveTestSupport.h"

namespace {

using namespace curve_test;

class PipePath : public HeatingCurveTest {};

TEST_F(PipePath, JoinCurveTurnsTheOtherOrThisSoThatTheEndsMeet) {
  // Lines joined onto (0,0)-(5,0), and the ends of the result.
  const std::array<XtGePoint2d, 4> cases[] = {
      {{{5, 0}, {10, 0}, {0, 0}, {10, 0}}}, {{{10, 0}, {5, 0}, {0, 0}, {10, 0}}},
      {{{0, 0}, {-5, 0}, {5, 0}, {-5, 0}}}, {{{-5, 0}, {0, 0}, {5, 0}, {-5, 0}}}};
  for (const auto& [from, to, start, end] : cases) {
    auto path = polyline({{0, 0}, {5, 0}});
    ASSERT_TRUE(path->joinCurve(*line(from, to)));
    EXPECT_TRUE(near(path->startPoint(), start) && near(path->endPoint(), end) && endsInStep(*path));
    EXPECT_TRUE(path->vertices().length() == 3 && std::abs(path->length() - 10) < 1e-9);
  }
  auto path = polyline({{0, 0}, {5, 0}});
  EXPECT_FALSE(path->joinCurve(*line({6, 0}, {10, 0}))) << "no ends meet";
  EXPECT_TRUE(path->joinCurve(*arc({5, 5}, 5, -kPi / 2, 0)));
  EXPECT_TRUE(near(path->endPoint(), {10, 5}) && path->composite().numCurves() == 2);
}

TEST_F(PipePath, TrimSelfOverlapDropsTheOutwardRunOfADoubledBackStretch) {
  auto plain = polyline({{0, 0}, {5, 0}, {5, 5}, {0, 5}});
  EXPECT_TRUE(plain->trimSelfOverlap(workTol) == 0 && plain->composite().numCurves() == 3);

  auto path = polyline({{0, 0}, {5, 0}, {10, 0}, {5, 0}, {0, 0}, {0, 5}});
  ASSERT_TRUE(path->selfOverlaps(workTol, workTol));
  EXPECT_EQ(path->trimSelfOverlap(workTol), 1);
  EXPECT_FALSE(path->selfOverlaps(workTol, workTol));
  EXPECT_TRUE(near(path->startPoint(), {10, 0}) && near(path->endPoint(), {0, 5}) && endsInStep(*path));

  // The overlap lies before the pair, so removing never stops it: the
  // removal ends with the last piece.
  auto early = polyline({{0, 0}, {10, 0}, {5, 0}, {5, 5}, {6, 5}, {5, 5}, {5, 8}});
  EXPECT_EQ(early->trimSelfOverlap(workTol), 1);
  EXPECT_TRUE(early->composite().numCurves() == 3 && near(early->endPoint(), {5, 5}) && endsInStep(*early));
}

TEST_F(PipePath, RebuildFromPartsKeepsCornersArcsAndTheStart) {
  auto corner = polyline({{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}, {0, 0}});
  corner->rebuildFromParts();
  EXPECT_EQ(corner->composite().numCurves(), 4);
  auto middle = polyline({{5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}, {0, 0}, {5, 0}});
  middle->rebuildFromParts();
  EXPECT_TRUE(middle->composite().numCurves() == 5 && near(middle->startPoint(), {5, 0}) && endsInStep(*middle));

  CFloorHeatingPolyLine rounded(composite({0, 0}, {{{5, 0}}, {{10, 0}}, {{15, 5}, 0.4}, {{15, 10}}}), 2);
  rounded.rebuildFromParts();
  EXPECT_EQ(rounded.composite().numCurves(), 3);
}

TEST_F(PipePath, SetFromCurvesChainsCopiesOfThePieces) {
  CFloorHeatingPolyLine path(2);
  const auto a = line({0, 0}, {5, 0});
  const auto b = polyline({{5, 0}, {5, 5}, {0, 5}});
  path.setFromCurves({a.get(), nullptr, b.get()});
  EXPECT_TRUE(path.vertices().length() == 4 && near(path.endPoint(), {0, 5}) && endsInStep(path));
  path.setFromCurves({});
  EXPECT_TRUE(path.composite().numCurves() == 0 && path.vertices().isEmpty() && near(path.startPoint(), {0, 0}));
}

TEST_F(PipePath, CentreLineOfRunsAtTheSpacingButNotAtTwice) {
  const double s = 200;
  auto pair = polyline({{0, 0}, {3000, 0}, {6000, 0}, {6000, s}, {3000, s}, {0, s}});
  auto centre = buildCircuitPolyline(*pair, {0, 0}, {6000, 0}, {6000, s}, {0, s}, s, 7);
  ASSERT_TRUE(centre);
  EXPECT_TRUE(near(centre->startPoint(), {0, s / 2}) && near(centre->endPoint(), {6000, s / 2}));
  EXPECT_EQ(centre->tag(), 7u);
  for (const XtGePoint2d& v : centre->vertices()) EXPECT_NEAR(v.y, s / 2, 1e-9);

  auto wide = polyline({{0, 0}, {6000, 0}, {6000, 2 * s}, {0, 2 * s}});
  EXPECT_FALSE(buildCircuitPolyline(*wide, {0, 0}, {6000, 0}, {6000, 2 * s}, {0, 2 * s}, s, 7));
  EXPECT_FALSE(buildCircuitPolyline(CFloorHeatingPolyLine(2), {}, {}, {}, {}, s, 7)) << "no length";
}

// A room 10 x 10 m and a path leaving (1, 5.1) m with a quarter bend of
// radius 100 mm (157 mm, short of pi x 100) into a straight run.
class CircuitPath : public PipePath {
 protected:
  CircuitPath() { room.append(rectangle(0, 0, 10000, 10000)); }
  CFHBoundLoop room;
};

TEST_F(CircuitPath, AShortBendAtEitherEndGivesWayToTheStraightRun) {
  CFloorHeatingPolyLine path(composite({1000, 5100}, {{{1100, 5000}, std::tan(-kPi / 8)}, {{9000, 5000}}}), 2);
  CFloorHeatingPolyLine back(path.composite(), 2);
  back.reverse();
  ASSERT_TRUE(path.circuitSegmentPassA(path.startPoint(), {8000, 5000}, 100, room));
  ASSERT_EQ(path.composite().numCurves(), 1);
  EXPECT_TRUE(near(path.startPoint(), {0, 5000}, 1e-6) && near(path.endPoint(), {8000, 5000}) && endsInStep(path));
  ASSERT_TRUE(back.circuitSegmentPassB({2000, 5000}, back.endPoint(), 100, room));
  EXPECT_TRUE(back.composite().numCurves() == 1 && near(back.endPoint(), {0, 5000}, 1e-6));

  CFloorHeatingPolyLine kept(path.composite(), 2);
  EXPECT_TRUE(kept.circuitSegmentPassA({0, 5000}, {8000, 5000}, 5000, room)) << "no piece reaches pi x r";
  EXPECT_TRUE(near(kept.startPoint(), {0, 5000}) && kept.composite().numCurves() == 1);
  EXPECT_FALSE(kept.circuitSegmentPassA({8000, 5000}, {1000, 5000}, 100, room)) << "start after end";
  EXPECT_FALSE(kept.circuitSegmentPassB({500, 6000}, {8000, 5000}, 100, room)) << "start off the path";
  EXPECT_TRUE(near(kept.startPoint(), {0, 5000}) && near(kept.endPoint(), {8000, 5000}));
}

// A drawn lead as the output draws it: from the manifold at (1000, -2000)
// up to (1000, -rise), then at `angle` from the wall's normal to the wall
// y = 0 of the room, where it turns into the room at 45 degrees; every
// corner rounded with radius 50 between the pieces' tangent points.
XtGeCompositeCurve2d drawnLead(double angle, double rise) {
  const double r = 50.0;
  const double wallX = 1000 + rise * std::tan(angle);
  const XtGePoint2d corners[] = {{1000, -2000}, {1000, -rise}, {wallX, 0}, {wallX + 300, 300}};
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  XtGePoint2d at = corners[0];
  for (std::size_t i = 1; i + 1 < std::size(corners); ++i) {
    const XtGeVector2d u = (corners[i] - corners[i - 1]).normal(), v = (corners[i + 1] - corners[i]).normal();
    const double turn = std::atan2(u.x * v.y - u.y * v.x, u.x * v.x + u.y * v.y);
    if (std::abs(turn) < 1e-9) continue;
    const double t = r * std::tan(std::abs(turn) / 2);
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, corners[i] - u * t));
    pieces.push_back(std::make_unique<XtGeCircArc2d>(corners[i] - u * t, corners[i] + v * t, std::tan(turn / 4)));
    at = corners[i] + v * t;
  }
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, corners[std::size(corners) - 1]));
  return XtGeCompositeCurve2d(std::move(pieces));
}

// Where the bend that starts below the wall y = 0 and ends above it crosses it.
XtGePoint2d wallCrossing(const XtGeCompositeCurve2d& lead) {
  for (int i = 0; i < lead.numCurves(); ++i) {
    const XtGeCurve2d& piece = *lead.curveAt(i);
    XtGeInterval range;
    piece.getInterval(range);
    double lo = range.lowerBound(), hi = range.upperBound();
    if (piece.type() != XtGe::kCircArc2d || !(piece.evalPoint(lo).y < 0 && piece.evalPoint(hi).y > 0)) continue;
    for (int step = 0; step < 100; ++step) (piece.evalPoint((lo + hi) / 2).y < 0 ? lo : hi) = (lo + hi) / 2;
    return piece.evalPoint(lo);
  }
  return {1000, 0};  // no bend at the wall: the lead runs straight into it
}

TEST_F(CircuitPath, ALeadTrimmedAtTheWallComesBackAsLaidWhateverItsAngleAndLastPiece) {
  for (const double rise : {150.0, 500.0}) {
    for (const double degrees : {0.0, 20.0, 37.5, 60.0, 75.0}) {
      SCOPED_TRACE(testing::Message() << degrees << " degrees, last piece " << rise << " high");
      const double angle = degrees * kPi / 180;
      const XtGePoint2d wall(1000 + rise * std::tan(angle), 0);
      const XtGeCompositeCurve2d drawn = drawnLead(angle, rise);
      const XtGePoint2d p0 = wallCrossing(drawn);
      // From the manifold to the wall, and the same lead drawn the other
      // way: the lead as it was laid, its corners sharp, its last piece
      // running on to the wall in one piece.
      std::vector<XtGePoint2d> laid = {{1000, -2000}, {1000, -rise}, wall};
      if (degrees == 0.0) laid.erase(laid.begin() + 1);
      CFloorHeatingPolyLine out(drawn, 2);
      ASSERT_TRUE(out.trimLeadAtWall({1000, -2000}, p0, false, 50.0, room));
      CFloorHeatingPolyLine back(drawn, 2);
      back.reverse();
      ASSERT_TRUE(back.trimLeadAtWall(p0, {1000, -2000}, true, 50.0, room));
      for (const CFloorHeatingPolyLine* lead : {&out, &back}) {
        ASSERT_EQ(lead->vertices().length(), static_cast<int>(laid.size()));
        for (std::size_t i = 0; i < laid.size(); ++i)
          EXPECT_TRUE(near(lead->vertices()[static_cast<int>(lead == &back ? laid.size() - 1 - i : i)], laid[i], 1e-6));
        EXPECT_TRUE(endsInStep(*lead));
      }
      // Another bend radius than the one the corners were rounded with
      // leaves them rounded.
      CFloorHeatingPolyLine other(drawn, 2);
      ASSERT_TRUE(other.trimLeadAtWall({1000, -2000}, p0, false, 40.0, room));
      EXPECT_EQ(other.vertices().length(), degrees == 0.0 ? 2 : 4);
      EXPECT_TRUE(near(other.endPoint(), wall, 1e-6));
    }
  }

  // A lead drawn straight into its wall (no bend) ends there as it was; a
  // bend whose wall lies far beyond it (more than half its turn) stays.
  CFloorHeatingPolyLine straight(composite({1000, -2000}, {{{1000, 0}}, {{1000, 500}}}), 2);
  ASSERT_TRUE(straight.trimLeadAtWall({1000, -2000}, {1000, 0}, false, 50.0, room));
  EXPECT_TRUE(straight.composite().numCurves() == 1 && near(straight.endPoint(), {1000, 0}));
  CFloorHeatingPolyLine bent(composite({1000, -2000}, {{{1000, -50}}, {{1050, 0}, std::tan(-kPi / 8)}}), 2);
  CFHBoundLoop beyond;
  beyond.append(rectangle(900, 1000, 3000, 3000));
  ASSERT_TRUE(bent.trimLeadAtWall({1000, -2000}, {1050, 0}, false, 50.0, beyond));
  EXPECT_TRUE(bent.composite().numCurves() == 2 && near(bent.endPoint(), {1050, 0}));
  EXPECT_FALSE(bent.trimLeadAtWall({1050, 0}, {1000, -2000}, false, 50.0, beyond)) << "start after end";
  EXPECT_TRUE(near(bent.startPoint(), {1000, -2000}) && near(bent.endPoint(), {1050, 0}));
}

TEST_F(CircuitPath, ARoundingThatUsedUpAPieceGivesBackItsCornerAndThePiece) {
  // A jog in a lead whose middle piece is exactly as long as the rounding
  // of one of its corners takes (radius 50): the arc runs from one outer
  // piece to the other end of the middle one, where the corner stays sharp.
  // Trimmed at the wall y = 0, drawn either way, the lead comes back as
  // laid; the jog of 50 came back as a slanted piece, the leads were no
  // offsets of one route, and the edit laid the lead anew.
  const double r = 50.0;
  for (const double degrees : {90.0, 45.0}) {
    for (const bool atFirst : {true, false}) {
      SCOPED_TRACE(testing::Message() << degrees << " degrees, the arc at the " << (atFirst ? "first" : "second"));
      const double turn = degrees * kPi / 180, t = r * std::tan(turn / 2);
      const XtGeVector2d up(0, 1), aside(-std::sin(turn), std::cos(turn));
      const XtGePoint2d start(1000, -2000), c1(1000, -400), c2 = c1 + aside * t, wall(c2.x, 0);
      const std::vector<XtGePoint2d> laid = {start, c1, c2, wall};
      std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
      const XtGePoint2d from = atFirst ? c1 - up * t : c1, to = atFirst ? c2 : c2 + up * t;
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(start, from));
      pieces.push_back(std::make_unique<XtGeCircArc2d>(from, to, std::tan((atFirst ? turn : -turn) / 4)));
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(to, wall));
      const XtGeCompositeCurve2d drawn(std::move(pieces));
      CFloorHeatingPolyLine out(drawn, 2);
      ASSERT_TRUE(out.trimLeadAtWall(start, wall, false, r, room));
      CFloorHeatingPolyLine back(drawn, 2);
      back.reverse();
      ASSERT_TRUE(back.trimLeadAtWall(wall, start, true, r, room));
      for (const CFloorHeatingPolyLine* lead : {&out, &back}) {
        ASSERT_EQ(lead->vertices().length(), 4);
        for (std::size_t i = 0; i < laid.size(); ++i)
          EXPECT_TRUE(near(lead->vertices()[static_cast<int>(lead == &back ? 3 - i : i)], laid[i], 1e-6)) << i;
        EXPECT_TRUE(endsInStep(*lead));
      }
    }
  }
}

// The points of a lead laid beside the route: the route's offset by the
// distance (the curve library's), its last piece cut where its line meets
// the wall line through `wall` along `along`.
std::vector<XtGePoint2d> leadBeside(const CFloorHeatingPolyLine& route, double distance, const XtGePoint2d& wall,
                                    const XtGeVector2d& along) {
  const CFloorHeatingCurve::Ptr offset = route.offsetCopy(distance);
  std::vector<XtGePoint2d> points;
  const auto* polyline = dynamic_cast<const CFloorHeatingPolyLine*>(offset.get());
  if (polyline == nullptr) return points;
  for (const XtGePoint2d& p : polyline->vertices()) points.push_back(p);
  XtGePoint2d end;
  const std::size_t n = points.size();
  if (n >= 2 && XtGeLine2d(points[n - 2], points[n - 1] - points[n - 2]).intersectWith(XtGeLine2d(wall, along), end))
    points.back() = end;
  return points;
}

TEST_F(CircuitPath, TheRouteComesBackFromItsTwoLeads) {
  // A route that turns right, runs 87 on and turns right again into the
  // wall x = 3000: on the inside of both turns the short piece vanishes from
  // its lead, which has one corner fewer. Pitch 200.
  const XtGePoint2d end(3000, -2913 * std::tan(11.6 * kPi / 180));
  auto route = polyline({{0, -2000}, {0, 0}, {87, 0}, end});
  CFHBoundLoop east;
  east.append(rectangle(3000, -5000, 9000, 5000));
  const auto left = leadBeside(*route, 100, {3000, 0}, {0, 1});
  const auto right = leadBeside(*route, -100, {3000, 0}, {0, 1});
  ASSERT_TRUE(left.size() >= 4 && right.size() >= 3);
  EXPECT_NE(left.size(), right.size()) << "a short piece of the route vanishes from one lead";
  for (const auto& [first, second] : {std::pair(left, right), std::pair(right, left)}) {
    const auto found = leadCentreLine(first, second, east, 0x11);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->tag(), 0x11u);
    ASSERT_EQ(found->vertices().length(), route->vertices().length());
    for (int i = 0; i < found->vertices().length(); ++i)
      EXPECT_TRUE(near(found->vertices()[i], route->vertices()[i], 1e-6)) << "vertex " << i;
  }
  // A repeated point counts once.
  std::vector<XtGePoint2d> repeated = right;
  repeated.insert(repeated.begin() + 1, repeated[1]);
  EXPECT_TRUE(leadCentreLine(left, repeated, east, 0x11));

  // A route meeting the wall y = 53 at a grazing angle (1 degree), pitch 50:
  // the lead on the wall's side crosses it 1.4 m before the route's end, the
  // other was bent to that end. The route ends where it met the wall.
  auto grazing = polyline({{0, -1000}, {0, 0}, {2941, 53}});
  CFHBoundLoop above;
  above.append(rectangle(-5000, 53, 9000, 9000));
  auto near_wall = leadBeside(*grazing, 25, {0, 53}, {1, 0});
  auto bent = leadBeside(*grazing, -25, {0, 53}, {1, 0});
  bent.back() = {2941.5, 53};
  ASSERT_EQ(near_wall.size(), 3u);
  ASSERT_GT(grazing->vertices()[2].x - near_wall.back().x, 1000.0);
  const auto found = leadCentreLine(near_wall, bent, above, 0x11);
  ASSERT_TRUE(found);
  ASSERT_EQ(found->vertices().length(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(near(found->vertices()[i], grazing->vertices()[i], 1e-6)) << "vertex " << i;

  // Leads that are not offsets of one route: one corner moved off its place.
  std::vector<XtGePoint2d> moved = left;
  moved[1].x += 30;
  EXPECT_FALSE(leadCentreLine(moved, right, east, 0x11));
  EXPECT_FALSE(leadCentreLine({{0, 0}}, right, east, 0x11)) << "one point";
  EXPECT_FALSE(leadCentreLine(right, right, east, 0x11)) << "the same lead twice";
}

TEST_F(CircuitPath, ConnectionPointsMoveOffCornersAlongALongSide) {
  EXPECT_NEAR(angleBetweenVectors({1, 0}, {0, 1}, true), kPi / 2, 1e-12);
  EXPECT_NEAR(angleBetweenVectors({1, 0}, {0, 1}, false), 3 * kPi / 2, 1e-12);

  XtGePoint2d p{50, 0};
  room.moveOffCorner(p, *line({50, 0}, {50, -1000}));
  EXPECT_TRUE(near(p, {200, 0}, 1e-9) || near(p, {0, 200}, 1e-9)) << p.x << ", " << p.y;
  XtGePoint2d middle{5000, 0};
  room.moveOffCorner(middle, *line({5000, 0}, {5000, -1000}));
  EXPECT_TRUE(near(middle, {5000, 0}));

  CFHBoundLoop small;  // sides of 350 mm
  small.append(rectangle(0, 0, 350, 350));
  XtGePoint2d q{50, 0};
  small.moveOffCorner(q, *line({50, 0}, {50, -1000}));
  EXPECT_TRUE(near(q, {50, 0}));
}

// A chain of segments given as (x0, y0, x1, y1).
CurveChain chainOf(std::initializer_list<std::array<double, 4>> segments) {
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  for (const auto& [x0, y0, x1, y1] : segments)
    curves.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(x0, y0), XtGePoint2d(x1, y1)));
  return CurveChain(std::move(curves));
}

TEST(CurveChains, JoinTwoChainsCaseByCase) {
  GeometryToleranceScope tolerances(1000);
  struct Case {
    const char* name;
    std::initializer_list<std::array<double, 4>> b;  // joined onto A = (0,0)-(1,0)
    bool flag;
    std::array<double, 4> ends;  // start of the first curve, end of the last; none: not joined
  };
  const Case cases[] = {
      {"1 a starts where b ends", {{-1, 0, 0, 0}}, true, {-1, 0, 1, 0}},
      {"1 without the flag", {{-1, 0, 0, 0}}, false, {}},
      {"2 a ends where b starts", {{1, 0, 2, 0}}, false, {0, 0, 2, 0}},
      {"2 with the flag", {{1, 0, 2, 0}}, true, {}},
      {"3 common start, A turned", {{0, 0, 0, 1}}, false, {1, 0, 0, 1}},
      {"3 common start, B turned", {{0, 0, 0, 1}}, true, {0, 1, 1, 0}},
      {"4 common end stops the search", {{2, 0, 1, 0}, {-1, 0, 0, 0}}, true, {}},
      {"4 without the flag", {{2, 0, 1, 0}, {-1, 3, 0, 3}}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CurveChain a = chainOf({{0, 0, 1, 0}});
    CurveChain b = chainOf(c.b);
    const int total = a.curves.length() + b.curves.length();
    const bool joins = c.ends != std::array<double, 4>{};
    ASSERT_EQ(joinTwoCurveChains(a, b, c.flag), joins ? 1 : 0);
    EXPECT_EQ(a.curves.length() + b.curves.length(), total) << "every curve in one chain";
    XtGePoint2d s, e;
    if (!joins || !a.curves.first()->hasStartPoint(s) || !a.curves.last()->hasEndPoint(e)) continue;
    EXPECT_TRUE(b.curves.isEmpty() && near(s, {c.ends[0], c.ends[1]}) && near(e, {c.ends[2], c.ends[3]}));
  }

  std::vector<CurveChain> chains;  // the first one's chain test is true, the others' false
  chains.push_back(chainOf({{0, 0, 1, 0}, {1, 0, 1, 1}}));
  chains.push_back(chainOf({{5, 5, 6, 5}}));
  chains.push_back(chainOf({{-1, 0, 0, 0}}));
  joinCurveChains(chains);
  ASSERT_EQ(chains.size(), 2u);
  EXPECT_EQ(chains[0].curves.length(), 3);
}

}  // namespace
