// Offset copies of heating polylines, over the geometry library's trimmed
// offset of composite curves.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/design/model/CFHModel.h"
#include "heating/design/model/HeatingCurveRegistration.h"

#include "CurveTestSupport.h"

#include <cmath>

using namespace curve_test;

namespace {

using PolyLineOffsetTest = HeatingCurveTest;

// The enclosed area of a closed polyline's vertices (positive counter-clockwise).
double vertexArea(const CFloorHeatingPolyLine& polyline) {
  const XtGePoint2dArray& v = polyline.vertices();
  double twice = 0.0;
  for (int i = 0; i + 1 < v.length(); ++i) twice += v[i].x * v[i + 1].y - v[i + 1].x * v[i].y;
  return twice / 2.0;
}

TEST_F(PolyLineOffsetTest, AnOffsetThatLeavesNothingRaisesStateBitEight) {
  const auto square = rectangle(0, 0, 10, 10);
  EXPECT_FALSE(square->offsetCopy(6.0));  // nothing is left 6 inside a 10 x 10 square
  CFHModel model;
  CFloorHeatingCurve::PtrVector copies;
  EXPECT_FALSE(square->offsetCopies(6.0, copies));
  EXPECT_TRUE(copies.empty());
  EXPECT_EQ(model.stateBits() & kModelStatePolylineOffsetFailed, kModelStatePolylineOffsetFailed);
  EXPECT_FALSE(CFloorHeatingPolyLine(3).offsetCopy(1.0));
}

TEST_F(PolyLineOffsetTest, AFailedOffsetIsRetakenWithoutChangingAnything) {
  const auto square = rectangle(0, 0, 2, 2);
  const XtGeCompositeCurve2d before = square->composite();
  CFHModel model;
  CFloorHeatingCurve::PtrVector copies;
  EXPECT_FALSE(square->offsetCopies(3.0, copies));
  EXPECT_EQ(model.stateBits() & kModelStatePolylineOffsetFailed, kModelStatePolylineOffsetFailed);
  EXPECT_EQ(square->composite().numCurves(), before.numCurves());
  for (int i = 0; i < before.numCurves(); ++i)
    EXPECT_EQ(square->composite().curveAt(i)->xtEvalPoint(0), before.curveAt(i)->xtEvalPoint(0));
  // Both composites' offsets are taken and let go; a null model is fine.
  EXPECT_EQ(compositeCurveTrimmedOffset(nullptr, before, before, 3.0, XtGeContext::gTol), 0);
  EXPECT_EQ(compositeCurveTrimmedOffset(&model, before, square->composite(), 0.5, XtGeContext::gTol), 2);
  EXPECT_EQ(compositeCurveTrimmedOffset(nullptr, before, before, std::nan(""), XtGeContext::gTol), 0);
}

TEST_F(PolyLineOffsetTest, ASquareOffsetsInwardToTheLeft) {
  CFHModel model;
  const auto square = rectangle(0, 0, 10, 10);
  const auto inner = square->offsetCopy(1.0);
  ASSERT_TRUE(inner);
  ASSERT_EQ(inner->kind(), CFloorHeatingCurve::kPolyline);
  const auto& polyline = static_cast<const CFloorHeatingPolyLine&>(*inner);
  EXPECT_EQ(polyline.vertices().length(), polyline.composite().numCurves() + 1);
  EXPECT_NEAR(vertexArea(polyline), 64.0, 1e-9);
  EXPECT_NEAR(inner->length(), 32.0, 1e-9);
  EXPECT_TRUE(endsInStep(*inner));
  EXPECT_EQ(inner->source(), square.get());
  EXPECT_EQ(inner->tag(), square->tag());
  EXPECT_NEAR(vertexArea(static_cast<const CFloorHeatingPolyLine&>(*square->offsetCopy(-1.0))), 144.0, 1e-6);
  EXPECT_EQ(model.stateBits(), 0u);
}

TEST_F(PolyLineOffsetTest, AnOffsetThatSplitsKeepsEveryPieceLongestFirst) {
  CFHModel model;
  // Two rooms, 10 x 10 and 8 x 8, joined by a corridor 2 wide: 1.5 inside,
  // the corridor closes and two loops remain.
  const auto rooms = polyline({{0, 0}, {10, 0}, {10, 4}, {20, 4}, {20, 0}, {28, 0}, {28, 8}, {20, 8}, {20, 6},
                               {10, 6}, {10, 10}, {0, 10}, {0, 0}});
  CFloorHeatingCurve::PtrVector copies;
  ASSERT_TRUE(rooms->offsetCopies(1.5, copies));
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_NEAR(copies[0]->length(), 28.0, 1e-9);
  EXPECT_NEAR(copies[1]->length(), 20.0, 1e-9);
  EXPECT_NEAR(rooms->offsetCopy(1.5)->length(), 28.0, 1e-9);
  EXPECT_EQ(model.stateBits(), 0u);
}

TEST_F(PolyLineOffsetTest, OpenPolylinesWithArcs) {
  // A U of two straight legs and a half-circle bend of radius 5, run
  // counter-clockwise round the bend: its left side is the inside of the U.
  const CFloorHeatingPolyLine u(composite({-5, 10}, {{{-5, 0}}, {{5, 0}, 1}, {{5, 10}}}), 12);
  const auto outer = u.offsetCopy(-2.0);
  ASSERT_TRUE(outer);
  EXPECT_NEAR(outer->length(), 20 + 7 * kPi, 1e-6);
  EXPECT_TRUE(near(outer->startPoint(), {-7, 10}, 1e-9));
  const auto inner = u.offsetCopy(2.0);
  ASSERT_TRUE(inner);
  EXPECT_NEAR(inner->length(), 20 + 3 * kPi, 1e-6);
  EXPECT_EQ(inner->tag(), 12u);

  // A polyline of one segment offsets to a line.
  const auto single = polyline({{0, 0}, {10, 0}});
  const auto moved = single->offsetCopy(1.0);
  ASSERT_TRUE(moved);
  EXPECT_TRUE(near(moved->startPoint(), {0, 1}));
  EXPECT_TRUE(near(moved->endPoint(), {10, 1}));
}

}  // namespace
