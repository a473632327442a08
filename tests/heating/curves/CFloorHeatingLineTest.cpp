#include "heating/curves/CFloorHeatingLine.h"

#include "heating/curves/CFHUnknownCurveKind.h"

#include "heating/design/drawing/CFHArcInOut.h"
#include "heating/design/drawing/CFHLineInOut.h"

#include "CurveTestSupport.h"

#include <cmath>

using namespace curve_test;

namespace {

using LineTest = HeatingCurveTest;

TEST_F(LineTest, OffsetMovesBothEndsToTheLeftOfTravel) {
  const auto base = line({0, 0}, {10, 0}, 7);
  const auto left = base->offsetCopy(1.0);
  ASSERT_TRUE(left);
  EXPECT_TRUE(near(left->startPoint(), {0, 1}));
  EXPECT_TRUE(near(left->endPoint(), {10, 1}));
  EXPECT_EQ(left->kind(), CFloorHeatingCurve::kLine);
  EXPECT_EQ(left->tag(), 7u);
  EXPECT_EQ(left->source(), base.get());
  EXPECT_TRUE(endsInStep(*left));

  // Reversed travel offsets to the other side; huge coordinates keep the distance.
  const auto back = line({1e7 + 10, 1e7}, {1e7, 1e7});
  const auto right = back->offsetCopy(2.5);
  ASSERT_TRUE(right);
  EXPECT_TRUE(near(right->startPoint(), {1e7 + 10, 1e7 - 2.5}, 1e-6));
  EXPECT_NEAR(right->distanceToCurve(*back), 2.5, 1e-6);
}

TEST_F(LineTest, AZeroLengthLineHasNoDirectionAndNoOffset) {
  const auto dot = line({3, 4}, {3, 4});
  EXPECT_FALSE(dot->offsetCopy(1.0));
  EXPECT_DOUBLE_EQ(dot->length(), 0.0);
  EXPECT_TRUE(near(dot->pointAtLength(5.0), {3, 4}));
  XtGeRay2d ray;
  EXPECT_FALSE(dot->normalRay(ray, {3, 4}, 1));
  // Copies and moves still work on it.
  const auto copy = dot->extendedCopyAt({0, 0}, 1.0);
  EXPECT_TRUE(near(copy->startPoint(), {0, 0}));
  EXPECT_TRUE(near(copy->endPoint(), {0, 0}));
  CFloorHeatingCurve::PtrVector pieces;
  EXPECT_FALSE(dot->collinearOverlaps(*line({0, 4}, {10, 4}), pieces, workTol));
}

TEST_F(LineTest, ExtendedCopyIsCentredAndLongerAtBothEndsAndNamesTheRoot) {
  const auto root = line({0, 0}, {4, 0}, 3);
  const auto first = root->extendedCopyAt({10, 10}, 1.0);
  EXPECT_TRUE(near(first->startPoint(), {7, 10}));
  EXPECT_TRUE(near(first->endPoint(), {13, 10}));
  EXPECT_TRUE(endsInStep(*first));
  const auto second = first->extendedCopyAt(first->midPoint(), -2.0);
  EXPECT_TRUE(near(second->startPoint(), {9, 10}));
  EXPECT_TRUE(near(second->endPoint(), {11, 10}));
  const auto third = second->movedCopy(1, 3.0, 0.0);
  ASSERT_TRUE(third);
  EXPECT_TRUE(near(third->midPoint(), {10, 13}));
  // Three copies on, the source is still the root.
  EXPECT_EQ(first->source(), root.get());
  EXPECT_EQ(second->source(), root.get());
  EXPECT_EQ(third->source(), root.get());
  EXPECT_EQ(third->tag(), 3u);
}

TEST_F(LineTest, PointsAlongTheLineAndItsSides) {
  const auto diagonal = line({0, 0}, {3, 4});
  EXPECT_TRUE(near(diagonal->pointAtLength(2.5), {1.5, 2}));
  EXPECT_TRUE(near(diagonal->pointAtLength(10.0), {6, 8}));  // a line is prolonged
  EXPECT_DOUBLE_EQ(diagonal->lengthBetween({0, 0}, {3, 4}), 5.0);
  EXPECT_TRUE(diagonal->sideTest({0, 1}));
  EXPECT_TRUE(diagonal->sideTest({6, 8}));  // on the line counts as left
  EXPECT_FALSE(diagonal->sideTest({1, 0}));

  XtGeRay2d ray;
  ASSERT_TRUE(diagonal->normalRay(ray, {3, 4}, -1));
  EXPECT_TRUE(near(ray.evalPoint(1.0), {3.8, 3.4}));
  XtGePoint2d hit;
  EXPECT_TRUE(diagonal->intersectWithLine(XtGeLine2d(XtGePoint2d(0, 4), XtGeVector2d(1, 0)), hit));
  EXPECT_TRUE(near(hit, {3, 4}));
  EXPECT_FALSE(diagonal->intersectWithRay(XtGeRay2d(XtGePoint2d(5, 0), XtGeVector2d(1, 0)), hit, workTol));
}

TEST_F(LineTest, AnEndSetOnTheLineMovesOnlyThere) {
  const auto base = line({0, 0}, {10, 0});
  bool degenerate = true;
  EXPECT_FALSE(base->setStartOnCurve({5, 1}, degenerate, workTol));
  EXPECT_TRUE(near(base->startPoint(), {0, 0}));
  ASSERT_TRUE(base->setStartOnCurve({4, 0}, degenerate, workTol));
  EXPECT_FALSE(degenerate);
  EXPECT_TRUE(endsInStep(*base));
  ASSERT_TRUE(base->setEndOnCurve({4, 0}, degenerate, workTol));
  EXPECT_TRUE(degenerate);
  EXPECT_TRUE(near(base->endPoint(), {4, 0}));

  const auto bow = arc({0, 0}, 1, 0, kPi);
  EXPECT_FALSE(bow->setStartOnCurve({1, 0}, degenerate, workTol));

  base->setStartRaw({-3, 7});  // anywhere, the segment follows
  base->setEndRaw({-3, 7});
  EXPECT_TRUE(near(base->startPoint(), {-3, 7}) && endsInStep(*base));
}

TEST_F(LineTest, CollinearOverlapIsTheExactCommonStretch) {
  const auto a = line({0, 0}, {10, 0}, 9);
  CFloorHeatingCurve::PtrVector pieces;
  ASSERT_TRUE(a->collinearOverlaps(*line({5, 0}, {15, 0}), pieces, workTol));
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_TRUE(near(pieces[0]->startPoint(), {5, 0}));
  EXPECT_TRUE(near(pieces[0]->endPoint(), {10, 0}));
  EXPECT_EQ(pieces[0]->tag(), 9u);
  EXPECT_EQ(pieces[0]->source(), nullptr);

  // The other way round, the stretch still runs along this line.
  ASSERT_TRUE(a->collinearOverlaps(*line({12, 0}, {3, 0}), pieces, workTol));
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_TRUE(near(pieces[0]->startPoint(), {3, 0}));
  EXPECT_TRUE(near(pieces[0]->endPoint(), {10, 0}));

  // Lines that only touch, parallel lines and arcs give nothing; the output is emptied.
  EXPECT_FALSE(a->collinearOverlaps(*line({10, 0}, {20, 0}), pieces, workTol));
  EXPECT_TRUE(pieces.empty());
  EXPECT_FALSE(a->collinearOverlaps(*line({0, 0.1}, {10, 0.1}), pieces, workTol));
  EXPECT_FALSE(a->collinearOverlaps(*arc({5, 5}, 5, kPi, 2 * kPi), pieces, workTol));
}

TEST_F(LineTest, CollinearOverlapWithAPolylineIsSampled) {
  const auto a = line({0, 0}, {10, 0});
  CFloorHeatingCurve::PtrVector pieces;
  ASSERT_TRUE(a->collinearOverlaps(*polyline({{-5, 0}, {4, 0}, {4, 5}}), pieces, workTol));
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_TRUE(near(pieces[0]->startPoint(), {0, 0}));
  // 20 samples (one per 0.0005 unit factors, 0.5 units) spread over the line.
  EXPECT_NEAR(pieces[0]->endPoint().x, 4.0, 10.0 / 19.0);
  EXPECT_LE(pieces[0]->endPoint().x, 4.0 + 1e-9);

  // Without a usable unit factor the test still samples, and never divides by 0.
  drawingUnitFactor = 0.0;
  EXPECT_TRUE(a->collinearOverlaps(*polyline({{-5, 0}, {4, 0}, {4, 5}}), pieces, workTol));
}

TEST_F(LineTest, MidNormalDistancesAndConnector) {
  const auto a = line({0, 0}, {10, 0}, 4);
  const auto b = line({-20, 3}, {20, 3});
  EXPECT_DOUBLE_EQ(a->distanceAlongMidNormal(*b), 3.0);
  EXPECT_TRUE(std::isinf(a->distanceAlongMidNormal(*line({20, 3}, {30, 3}))));

  CFloorHeatingCurve::Ptr connector;
  bool left = false;
  bool ok = false;
  XtGePoint2d hit;
  // The chord line of a short far piece still meets the mid normal.
  EXPECT_DOUBLE_EQ(a->connectorAlongMidNormal(*line({20, -2}, {30, -2}), connector, left, hit, ok), 2.0);
  ASSERT_TRUE(ok);
  ASSERT_TRUE(connector);
  EXPECT_FALSE(left);
  EXPECT_TRUE(near(hit, {5, -2}));
  EXPECT_TRUE(near(connector->startPoint(), {5, 0}));
  EXPECT_EQ(connector->tag(), 4u);
  EXPECT_TRUE(std::isinf(a->connectorAlongMidNormal(*line({5, 1}, {5, 9}), connector, left, hit, ok)));
  EXPECT_FALSE(ok);
}

TEST_F(LineTest, ReadFromALineRecord) {
  const CFHLineInOut record(XtGeLineSeg2d(XtGePoint2d(1, 2), XtGePoint2d(3, 2)));
  const CFloorHeatingLine fromRecord(record, 15);
  EXPECT_EQ(fromRecord.entityRecord(), &record);
  EXPECT_TRUE(near(fromRecord.endPoint(), {3, 2}));
  // Copies pass the record on.
  EXPECT_EQ(fromRecord.offsetCopy(1.0)->entityRecord(), &record);
  EXPECT_EQ(CFloorHeatingLine(XtGePoint2d(0, 0), XtGePoint2d(1, 0), &fromRecord, 1).entityRecord(), &record);

  const CFHArcInOut arcRecord(XtGeCircArc2d(XtGePoint2d(0, 0), 1.0));
  EXPECT_THROW(CFloorHeatingLine(arcRecord, 15), CFHUnknownCurveKind);

  const auto fromSegment = CFloorHeatingLine::CFloorHeatingLineFromSeg(XtGeLineSeg2d({0, 0}, {0, 2}), 12);
  EXPECT_TRUE(near(fromSegment->endPoint(), {0, 2}));
  EXPECT_EQ(fromSegment->entityRecord(), nullptr);
}

}  // namespace
