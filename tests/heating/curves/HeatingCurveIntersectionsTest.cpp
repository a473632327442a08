#include "heating/curves/HeatingCurveIntersections.h"

#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/HeatingCurveOverlaps.h"

#include "CurveTestSupport.h"

#include <string>

using namespace curve_test;

namespace {

using IntersectionsTest = HeatingCurveTest;

// A line that claims another kind, as a curve of a kind nobody handles would.
class OddKindLine : public CFloorHeatingLine {
 public:
  OddKindLine(const XtGePoint2d& start, const XtGePoint2d& end, int kind)
      : CFloorHeatingLine(start, end, nullptr, 1) {
    kind_ = kind;
  }
};

TEST_F(IntersectionsTest, KindPairs) {
  const auto a = line({0, 0}, {10, 10});
  const auto b = line({0, 10}, {10, 0});
  XtGePoint2d hit;
  ASSERT_TRUE(intersectCurves(*a, *b, hit, workTol));
  EXPECT_TRUE(near(hit, {5, 5}));
  EXPECT_FALSE(intersectCurves(*a, *line({0, 1}, {10, 11}), hit, workTol));

  const auto circle = arc({0, 0}, 5, 0, 2 * kPi);
  const auto chord = line({-10, 3}, {10, 3});
  ASSERT_TRUE(intersectCurves(*circle, *chord, hit, workTol));
  EXPECT_TRUE(near(hit, {-4, 3}));
  ASSERT_TRUE(intersectCurves(*chord, *circle, hit, workTol));
  EXPECT_TRUE(near(hit, {-4, 3}));
  ASSERT_TRUE(intersectCurves(*circle, *arc({8, 0}, 5, kPi / 2, 3 * kPi / 2), hit, workTol));
  EXPECT_NEAR(hit.x, 4.0, 1e-9);

  XtGePoint2dArray points;
  ASSERT_TRUE(intersectCurvesToArray(*circle, *chord, points, workTol));
  EXPECT_EQ(points.length(), 2);
  // Points already there are not added again, and then the answer is false.
  EXPECT_FALSE(intersectCurvesToArray(*chord, *circle, points, workTol));
  EXPECT_EQ(points.length(), 2);
  EXPECT_TRUE(addPointIfNew(points, {0, 0}, workTol));
  EXPECT_FALSE(addPointIfNew(points, {0, 0.0001}, workTol));
}

TEST_F(IntersectionsTest, AnUnknownKindThrowsATypedException) {
  const OddKindLine odd({0, 0}, {10, 10}, 5);
  const auto other = line({0, 10}, {10, 0});
  XtGePoint2d hit;
  XtGePoint2dArray points;
  try {
    intersectCurves(odd, *other, hit, workTol);
    FAIL() << "no exception";
  } catch (const CFHUnknownCurveKind& unknown) {
    EXPECT_EQ(unknown.kind(), 5);
    EXPECT_EQ(std::string(unknown.what()), "unknown heating curve kind 5");
  }
  EXPECT_THROW(intersectCurvesToArray(*other, odd, points, workTol), CFHUnknownCurveKind);
  // It is an ordinary exception for whoever catches those.
  EXPECT_THROW(intersectCurves(*other, odd, hit, workTol), std::exception);

  // Kind 4 counts as one of the known kinds; its geometry answers.
  const OddKindLine four({0, 0}, {10, 10}, 4);
  ASSERT_TRUE(intersectCurves(four, *other, hit, workTol));
  EXPECT_TRUE(near(hit, {5, 5}));
  // Kind 5 is refused by the line's exact overlap test like an arc.
  CFloorHeatingCurve::PtrVector pieces;
  EXPECT_FALSE(line({0, 0}, {10, 10})->collinearOverlaps(OddKindLine({0, 0}, {10, 10}, 5), pieces, workTol));
}

TEST_F(IntersectionsTest, OverlapsWithAnyCurveOfAList) {
  std::vector<std::unique_ptr<CFloorHeatingCurve>> boundary;
  boundary.push_back(line({0, 0}, {10, 0}));
  boundary.push_back(line({10, 0}, {10, 10}));
  EXPECT_TRUE(overlapsAnyCurveCollinear(*line({12, 5}, {10, 5}), boundary, workTol) == false);
  EXPECT_TRUE(overlapsAnyCurveCollinear(*line({10, 2}, {10, 20}), boundary, workTol));

  struct Item {
    CFloorHeatingCurve* curve;
    double value;
  };
  const std::vector<Item> items{{nullptr, 0.0}, {boundary[0].get(), 1.0}};
  EXPECT_TRUE(overlapsAnyCurveCollinear(*line({5, 0}, {-5, 0}), items, [](const Item& i) { return i.curve; },
                                        workTol));
}

TEST_F(IntersectionsTest, ChainsOfGeometryCurves) {
  XtGeLineSeg2d a({0, 0}, {10, 0});
  XtGeLineSeg2d b({10, 0}, {10, 10});
  XtGeLineSeg2d back({10, 10}, {10, 5});
  XtGeCurve2dPtrArray chain;
  chain.append(&a);
  chain.append(&b);
  EXPECT_FALSE(curveChainSelfOverlaps(chain));
  chain.append(&back);
  EXPECT_TRUE(curveChainSelfOverlaps(chain));
}

}  // namespace
