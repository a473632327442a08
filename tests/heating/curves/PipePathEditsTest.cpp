// Edits the design model makes on pipe paths: joining curves and chains,
// removing doubled-back stretches, thinning, centre lines, end trimming and
// moving connection points off corners.
#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoop.h"
#include "heating/curves/CircuitPolyline.h"
#include "heating/curves/CurveChains.h"
#include "heating/curves/HeatingCurveOverlaps.h"

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
