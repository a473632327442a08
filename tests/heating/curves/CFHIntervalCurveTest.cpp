#include "heating/curves/CFHIntervalCurve.h"

#include "heating/curves/CLoopElement.h"

#include "CurveTestSupport.h"

using namespace curve_test;

namespace {

using IntervalCurveTest = HeatingCurveTest;

// The x of the curve's points at the bounds of every span of the list.
std::vector<std::pair<double, double>> spanXs(const CFHIntervalCurve& c, const std::vector<XtGeInterval>& spans) {
  std::vector<std::pair<double, double>> xs;
  for (const XtGeInterval& span : spans)
    xs.emplace_back(c.curve->geCurve().evalPoint(span.lowerBound()).x,
                    c.curve->geCurve().evalPoint(span.upperBound()).x);
  return xs;
}

TEST_F(IntervalCurveTest, MarksAreClampedToTheCurveAndOnlyKnownKindsMark) {
  const auto ten = line({0, 0}, {10, 0});
  CFHIntervalCurve c(ten.get(), 0.0);
  EXPECT_TRUE(c.markAt({5, 0}, CFHIntervalCurve::kMarkCentred, 4));
  EXPECT_TRUE(c.markAt({5, 0}, CFHIntervalCurve::kMarkCentred, 2));
  EXPECT_TRUE(c.markAt({8, 0}, CFHIntervalCurve::kMarkForward, 5));   // shortened to the end
  EXPECT_TRUE(c.markAt({3, 0}, CFHIntervalCurve::kMarkBackward, 5));  // shortened to the start
  EXPECT_FALSE(c.markAt({5, 0}, 3, 2));
  EXPECT_FALSE(c.markAt({5, 1}, CFHIntervalCurve::kMarkCentred, 2));   // off the curve
  EXPECT_FALSE(c.markAt({10, 0}, CFHIntervalCurve::kMarkForward, 2));  // nothing beyond the end
  const std::vector<std::pair<double, double>> expected = {{0, 3}, {3, 7}, {4, 6}, {8, 10}};
  const auto xs = spanXs(c, c.intervalsB);
  ASSERT_EQ(xs.size(), expected.size());
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_NEAR(xs[i].first, expected[i].first, 1e-9);
    EXPECT_NEAR(xs[i].second, expected[i].second, 1e-9);
  }
  EXPECT_TRUE(c.intervalsA.empty());
}

TEST_F(IntervalCurveTest, ReversedSpansAreRefusedAndEqualLowerBoundsKeepTheirOrder) {
  const auto ten = line({0, 0}, {10, 0});
  CFHIntervalCurve c(ten.get(), 0.0);
  c.valid = true;
  EXPECT_FALSE(c.addIntervalA({6, 0}, {2, 0}));
  EXPECT_FALSE(c.addIntervalA({2, 0}, {2, 0}));
  EXPECT_FALSE(c.addIntervalA({2, 0}, {20, 0}));
  EXPECT_TRUE(c.valid);  // nothing changed
  for (const auto& [from, to] : std::vector<std::pair<double, double>>{{2, 5}, {2, 3}, {1, 9}, {7, 8}})
    EXPECT_TRUE(c.addIntervalA({from, 0}, {to, 0}));
  EXPECT_FALSE(c.valid);
  EXPECT_EQ(spanXs(c, c.intervalsA), (std::vector<std::pair<double, double>>{{1, 9}, {2, 5}, {2, 3}, {7, 8}}));
  EXPECT_TRUE(c.intervalsB.empty());
}

TEST_F(IntervalCurveTest, ParameterStepStaysFinite) {
  const auto ten = line({0, 0}, {10, 0});
  const auto quarter = arc({0, 0}, 2, 0, kPi / 2);
  const auto dot = line({3, 3}, {3, 3});
  EXPECT_NEAR(CFHIntervalCurve(ten.get(), 0.0).paramStep, 1e-4, 1e-16);        // [0, 1] over 10 / 1e-3
  EXPECT_NEAR(CFHIntervalCurve(quarter.get(), 0.0).paramStep, 0.5e-3, 1e-15);  // radians per mm
  EXPECT_EQ(CFHIntervalCurve(dot.get(), 0.0).paramStep, 0.0);
  GeometryToleranceScope zero(0);
  EXPECT_EQ(CFHIntervalCurve(ten.get(), 0.0).paramStep, 0.0);
}

TEST_F(IntervalCurveTest, KeptPiecesRunBetweenTheBoundsOfTheKeptSpans) {
  const auto ten = line({0, 0}, {10, 0}, 6);
  CFHIntervalCurve onLine(ten.get(), 0.0);
  onLine.intervalsKept = {XtGeInterval(0.2, 0.6), XtGeInterval(0.7, 1.0)};
  CFloorHeatingCurve::PtrVector pieces;
  onLine.collectKeptPieces(pieces);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_TRUE(near(pieces[0]->startPoint(), {2, 0}) && near(pieces[0]->endPoint(), {6, 0}));
  EXPECT_TRUE(near(pieces[1]->startPoint(), {7, 0}));
  EXPECT_EQ(pieces[1]->tag(), 6u);
  EXPECT_EQ(pieces[1]->source(), ten.get());
  EXPECT_FALSE(onLine.keptPieceAt(2));

  // A clockwise arc from pi/4 to pi about (1, 2): spans are in the arc's own
  // angles, not lengths from its start.
  const auto clockwise = arc({1, 2}, 3, kPi / 4, kPi, true);
  CFHIntervalCurve onArc(clockwise.get(), 0.0);
  onArc.intervalsKept = {XtGeInterval(kPi / 2, 3 * kPi / 4)};
  const auto piece = onArc.keptPieceAt(0);
  ASSERT_TRUE(piece && piece->kind() == CFloorHeatingCurve::kArc);
  const XtGeCircArc2d& pieceArc = static_cast<const CFloorHeatingArc&>(*piece).arc();
  EXPECT_TRUE(near(pieceArc.center(), {1, 2}));
  EXPECT_TRUE(pieceArc.isClockWise());
  EXPECT_TRUE(near(piece->startPoint(), clockwise->arc().evalPoint(kPi / 2)));
  EXPECT_TRUE(near(piece->endPoint(), clockwise->arc().evalPoint(3 * kPi / 4)));
  EXPECT_NEAR(piece->length(), 3.0 * kPi / 4, 1e-9);
}

TEST_F(IntervalCurveTest, BuiltInElementOrderWithTheirOwners) {
  CLoopElement a(line({0, 0}, {1, 0}).release(), true);
  CLoopElement empty;
  CLoopElement b(arc({0, 0}, 1, 0, kPi).release(), true);
  for (int run = 0; run < 2; ++run) {  // the same order on every run
    CFHIntervalCurveList list;
    buildIntervalCurves({&b, nullptr, &empty, &a}, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0]->owner == &b && list[0]->curve == b.curve);
    EXPECT_TRUE(list[1]->owner == &a && list[1]->value == 0.0 && !list[1]->valid);
  }
}

// Kept spans on a line of length 100 along x (parameter x / 100).
TEST_F(IntervalCurveTest, RecomputeMergesExcludesAndShrinks) {
  using Spans = std::vector<std::pair<double, double>>;
  const auto hundred = line({0, 0}, {100, 0});
  const struct {
    Spans facing, excluded;
    double value;
    Spans kept;
  } cases[] = {
      {{{10, 20}, {20, 30}, {25, 28}}, {}, 0, {{10, 30}}},  // closer than the merge gap
      {{{10, 20}, {21, 30}}, {}, 0, {{10, 20}, {21, 30}}},
      {{{10, 60}}, {{30, 40}}, 0, {{10, 30}, {40, 60}}},  // split in two
      {{{10, 60}}, {{50, 70}, {0, 5}}, 0, {{10, 50}}},
      {{{10, 60}, {70, 90}}, {}, 5, {{15, 55}, {75, 85}}},  // the value shrinks both ends
      {{{10, 60}, {70, 80}}, {}, 6, {{16, 54}}},            // and removes a span shorter than twice it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    CFHIntervalCurve curve(hundred.get(), c.value);
    for (const auto& [a, b] : c.facing) ASSERT_TRUE(curve.addIntervalA({a, 0}, {b, 0}));
    for (const auto& [a, b] : c.excluded) ASSERT_TRUE(curve.addIntervalB({a, 0}, {b, 0}));
    curve.recompute();
    const auto kept = spanXs(curve, curve.intervalsKept);
    ASSERT_EQ(kept.size(), c.kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
      EXPECT_TRUE(std::abs(kept[i].first - c.kept[i].first) < 1e-9 && std::abs(kept[i].second - c.kept[i].second) < 1e-9);
    EXPECT_TRUE(curve.valid);
  }
}

TEST_F(IntervalCurveTest, ValidOnlyWhenSpansRemainAndNearestPointNeedsIt) {
  const auto hundred = line({0, 0}, {100, 0});
  CFHIntervalCurve curve(hundred.get(), 0.0);
  XtGePoint2d nearest;
  curve.recompute();
  EXPECT_FALSE(curve.valid || curve.nearestPoint({50, 5}, nearest)) << "no facing span after construction";
  ASSERT_TRUE(curve.addIntervalA({10, 0}, {20, 0}) && curve.addIntervalA({60, 0}, {70, 0}));
  curve.recompute();
  ASSERT_TRUE(curve.nearestPoint({50, 5}, nearest));
  EXPECT_TRUE(near(nearest, {60, 0}));
  curve.intervalsA.clear();
  curve.recompute();
  EXPECT_TRUE(curve.intervalsKept.empty() && curve.valid) << "no facing span: the flag stays";
  ASSERT_TRUE(curve.addIntervalA({10, 0}, {20, 0}) && curve.addIntervalB({0, 0}, {100, 0}));
  curve.recompute();
  EXPECT_FALSE(curve.valid || curve.nearestPoint({50, 5}, nearest)) << "every span excluded";
}

}  // namespace
