#include "heating/curves/CFHIntervalCurve.h"

#include "heating/curves/CLoopElement.h"

#include "CurveTestSupport.h"

using namespace curve_test;

namespace {

using IntervalCurveTest = HeatingCurveTest;

// The spans of a list as the curve's points at their bounds.
std::vector<std::pair<XtGePoint2d, XtGePoint2d>> spanEnds(const CFHIntervalCurve& c,
                                                          const std::vector<XtGeInterval>& spans) {
  std::vector<std::pair<XtGePoint2d, XtGePoint2d>> ends;
  for (const XtGeInterval& span : spans)
    ends.emplace_back(c.curve->geCurve().evalPoint(span.lowerBound()), c.curve->geCurve().evalPoint(span.upperBound()));
  return ends;
}

TEST_F(IntervalCurveTest, MarksAreClampedToTheCurveAndOnlyKnownKindsMark) {
  const auto ten = line({0, 0}, {10, 0});
  CFHIntervalCurve c(ten.get(), 0.0);
  EXPECT_TRUE(c.markAt({5, 0}, CFHIntervalCurve::kMarkCentred, 4));  // lengths 3 to 7
  EXPECT_TRUE(c.markAt({5, 0}, CFHIntervalCurve::kMarkCentred, 2));  // lengths 4 to 6
  EXPECT_TRUE(c.markAt({8, 0}, CFHIntervalCurve::kMarkForward, 5));  // to the end, not beyond
  EXPECT_TRUE(c.markAt({3, 0}, CFHIntervalCurve::kMarkBackward, 5));  // from the start
  EXPECT_FALSE(c.markAt({5, 0}, 3, 2));
  EXPECT_FALSE(c.markAt({5, 1}, CFHIntervalCurve::kMarkCentred, 2));  // off the curve
  EXPECT_FALSE(c.markAt({10, 0}, CFHIntervalCurve::kMarkForward, 2));  // nothing left beyond the end
  const auto ends = spanEnds(c, c.intervalsB);
  ASSERT_EQ(ends.size(), 4u);
  const XtGePoint2d expected[4][2] = {{{0, 0}, {3, 0}}, {{3, 0}, {7, 0}}, {{4, 0}, {6, 0}}, {{8, 0}, {10, 0}}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(near(ends[i].first, expected[i][0], 1e-9)) << i;
    EXPECT_TRUE(near(ends[i].second, expected[i][1], 1e-9)) << i;
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
  EXPECT_TRUE(c.intervalsA.empty());

  EXPECT_TRUE(c.addIntervalA({2, 0}, {5, 0}));
  EXPECT_FALSE(c.valid);
  EXPECT_TRUE(c.addIntervalA({2, 0}, {3, 0}));
  EXPECT_TRUE(c.addIntervalA({1, 0}, {9, 0}));
  EXPECT_TRUE(c.addIntervalA({7, 0}, {8, 0}));
  const auto ends = spanEnds(c, c.intervalsA);
  ASSERT_EQ(ends.size(), 4u);
  const double expected[4][2] = {{1, 9}, {2, 5}, {2, 3}, {7, 8}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(ends[i].first.x, expected[i][0], 1e-12) << i;
    EXPECT_NEAR(ends[i].second.x, expected[i][1], 1e-12) << i;
  }
  EXPECT_TRUE(c.intervalsB.empty());
}

TEST_F(IntervalCurveTest, ParameterStepStaysFinite) {
  const auto ten = line({0, 0}, {10, 0});
  EXPECT_NEAR(CFHIntervalCurve(ten.get(), 0.0).paramStep, 1e-4, 1e-16);  // [0, 1] over 10 / 1e-3
  const auto quarter = arc({0, 0}, 2, 0, kPi / 2);
  EXPECT_NEAR(CFHIntervalCurve(quarter.get(), 0.0).paramStep, 0.5e-3, 1e-15);  // radians per mm
  const auto point = line({3, 3}, {3, 3});
  EXPECT_EQ(CFHIntervalCurve(point.get(), 0.0).paramStep, 0.0);
  EXPECT_EQ(CFHIntervalCurve(nullptr, 0.0).paramStep, 0.0);
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
  EXPECT_TRUE(near(pieces[0]->startPoint(), {2, 0}));
  EXPECT_TRUE(near(pieces[0]->endPoint(), {6, 0}));
  EXPECT_TRUE(near(pieces[1]->startPoint(), {7, 0}));
  EXPECT_EQ(pieces[1]->tag(), 6u);
  EXPECT_EQ(pieces[1]->source(), ten.get());
  EXPECT_FALSE(onLine.keptPieceAt(2));
  EXPECT_FALSE(onLine.keptPieceAt(-1));

  // An arc from pi/4 to pi, clockwise, about (1, 2): the parameter is the
  // arc's own angle, not the length from its start.
  const auto clockwise = arc({1, 2}, 3, kPi / 4, kPi, true);
  CFHIntervalCurve onArc(clockwise.get(), 0.0);
  onArc.intervalsKept = {XtGeInterval(kPi / 2, 3 * kPi / 4)};
  const auto piece = onArc.keptPieceAt(0);
  ASSERT_TRUE(piece);
  ASSERT_EQ(piece->kind(), CFloorHeatingCurve::kArc);
  const XtGeCircArc2d& pieceArc = static_cast<const CFloorHeatingArc&>(*piece).arc();
  EXPECT_TRUE(near(pieceArc.center(), {1, 2}));
  EXPECT_NEAR(pieceArc.radius(), 3.0, 1e-12);
  EXPECT_TRUE(pieceArc.isClockWise());
  EXPECT_TRUE(near(piece->startPoint(), clockwise->arc().evalPoint(kPi / 2)));
  EXPECT_TRUE(near(piece->endPoint(), clockwise->arc().evalPoint(3 * kPi / 4)));
  EXPECT_NEAR(piece->length(), 3.0 * kPi / 4, 1e-9);
}

TEST_F(IntervalCurveTest, BuiltInElementOrderWithTheirOwners) {
  CLoopElement a(line({0, 0}, {1, 0}).release(), true);
  CLoopElement empty;
  CLoopElement b(arc({0, 0}, 1, 0, kPi).release(), true);
  const std::vector<CLoopElement*> elements = {&b, nullptr, &empty, &a};
  for (int run = 0; run < 2; ++run) {
    CFHIntervalCurveList list;
    buildIntervalCurves(elements, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->owner, &b);
    EXPECT_EQ(list[0]->curve, b.curve);
    EXPECT_EQ(list[1]->owner, &a);
    EXPECT_EQ(list[1]->value, 0.0);
    EXPECT_FALSE(list[1]->valid);
  }
}

}  // namespace
