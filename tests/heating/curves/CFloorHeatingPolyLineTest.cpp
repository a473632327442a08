#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/HeatingCurveExplode.h"
#include "heating/curves/HeatingCurveIntersections.h"

#include "heating/design/drawing/CFHLineInOut.h"
#include "heating/design/drawing/CFHPolylineInOut.h"

#include "CurveTestSupport.h"

#include <cmath>

using namespace curve_test;

namespace {

using PolyLineTest = HeatingCurveTest;

TEST_F(PolyLineTest, VerticesAreThePieceStartsAndTheLastEnd) {
  const auto square = rectangle(0, 0, 10, 10);
  ASSERT_EQ(square->vertices().length(), 5);
  EXPECT_TRUE(near(square->vertices().first(), square->vertices().last()));
  EXPECT_TRUE(near(square->startPoint(), {0, 0}));
  EXPECT_TRUE(endsInStep(*square));
  EXPECT_EQ(square->kind(), CFloorHeatingCurve::kPolyline);

  const CFloorHeatingPolyLine single(composite({1, 1}, {{{4, 5}}}), 3);
  ASSERT_EQ(single.vertices().length(), 2);
  EXPECT_TRUE(near(single.endPoint(), {4, 5}));

  const CFloorHeatingPolyLine empty(3);
  EXPECT_EQ(empty.vertices().length(), 0);
  EXPECT_DOUBLE_EQ(empty.length(), 0.0);
  EXPECT_TRUE(explodeCurve(empty).empty());
}

TEST_F(PolyLineTest, ReadFromAPolylineRecord) {
  const CFHPolylineInOut record(composite({0, 0}, {{{5, 0}}, {{5, 5}, 1}}));
  const CFloorHeatingPolyLine fromRecord(record, 15);
  EXPECT_EQ(fromRecord.entityRecord(), &record);
  EXPECT_EQ(fromRecord.vertices().length(), 3);
  for (const auto& piece : explodeCurve(fromRecord)) {
    EXPECT_EQ(piece->entityRecord(), &record);
    EXPECT_EQ(piece->source(), &fromRecord);
    EXPECT_EQ(piece->tag(), 15u);
  }
  const CFHLineInOut lineRecord(XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(1, 0)));
  EXPECT_THROW(CFloorHeatingPolyLine(lineRecord, 15), CFHUnknownCurveKind);
}

TEST_F(PolyLineTest, ExplodeGivesLinesAndArcsNamingTheRoot) {
  // A slot: two straight sides and two half-circle ends, counter-clockwise.
  const CFloorHeatingPolyLine slot(composite({0, 0}, {{{10, 0}}, {{10, 4}, 1}, {{0, 4}}, {{0, 0}, 1}}), 6);
  const auto copy = slot.extendedCopyAt({100, 100});
  const auto pieces = explodeCurve(*copy);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0]->kind(), CFloorHeatingCurve::kLine);
  EXPECT_EQ(pieces[1]->kind(), CFloorHeatingCurve::kArc);
  for (const auto& piece : pieces) {
    EXPECT_EQ(piece->source(), &slot);
    EXPECT_EQ(piece->tag(), 6u);
    EXPECT_TRUE(endsInStep(*piece));
  }
  EXPECT_TRUE(near(pieces[3]->endPoint(), copy->startPoint()));
  EXPECT_NEAR(copy->length(), 20 + 4 * kPi, 1e-9);
  EXPECT_TRUE(near(copy->midPoint(), {100, 100}));
}

TEST_F(PolyLineTest, LinesAndRaysMeetTheNearestPiece) {
  // The first piece misses the line; later pieces hit it.
  const auto zigzag = polyline({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 0}});
  XtGePoint2d hit;
  ASSERT_TRUE(zigzag->intersectWithLine(XtGeLine2d(XtGePoint2d(0, 5), XtGeVector2d(1, 0)), hit));
  // Of (10, 5) and (20, 5), the one nearer to the mean vertex (12, 4).
  EXPECT_TRUE(near(hit, {10, 5}));
  EXPECT_FALSE(zigzag->intersectWithLine(XtGeLine2d(XtGePoint2d(0, 20), XtGeVector2d(1, 0)), hit));

  // A ray through a vertex meets it once.
  XtGePoint2dArray points;
  const CFloorHeatingLine probe(XtGePoint2d(5, -5), XtGePoint2d(15, 5), nullptr, 1);
  ASSERT_TRUE(probe.intersectWithPolyline(*zigzag, points, workTol));
  ASSERT_EQ(points.length(), 1);
  EXPECT_TRUE(near(points[0], {10, 0}));
  ASSERT_TRUE(zigzag->intersectWithRay(XtGeRay2d(XtGePoint2d(25, 5), XtGeVector2d(-1, 0)), hit, workTol));
  EXPECT_TRUE(near(hit, {20, 5}));
}

TEST_F(PolyLineTest, PolylinesWithArcsIntersect) {
  // A D shape: a chord and a half circle of radius 5 about the origin.
  const CFloorHeatingPolyLine d(composite({-5, 0}, {{{5, 0}}, {{-5, 0}, 1}}), 2);
  const auto cross = polyline({{-10, 3}, {10, 3}, {10, -3}});
  XtGePoint2dArray points;
  ASSERT_TRUE(intersectCurvesToArray(d, *cross, points, workTol));
  EXPECT_EQ(points.length(), 2);  // (±4, 3) on the half circle
  XtGePoint2d hit;
  ASSERT_TRUE(intersectCurves(*cross, d, hit, workTol));
  EXPECT_NEAR(std::fabs(hit.x), 4.0, 1e-9);
  EXPECT_NEAR(hit.y, 3.0, 1e-9);

  const auto arcCurve = arc({0, 10}, 8, kPi, 2 * kPi);  // lower half circle about (0, 10)
  ASSERT_TRUE(arcCurve->intersectWithPolylineAt(d, hit, workTol));
  EXPECT_NEAR(hit.distanceTo({0, 10}), 8.0, 1e-9);
  EXPECT_NEAR(hit.distanceTo({0, 0}), 5.0, 1e-9);
}

TEST_F(PolyLineTest, SetEndPointsTrimsToThePiecesBetween) {
  const auto hook = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  hook->setEndPoints({5, 0}, {10, 5});
  ASSERT_EQ(hook->vertices().length(), 3);
  EXPECT_TRUE(near(hook->vertices()[0], {5, 0}));
  EXPECT_TRUE(near(hook->vertices()[1], {10, 0}));
  EXPECT_TRUE(near(hook->vertices()[2], {10, 5}));
  EXPECT_TRUE(endsInStep(*hook));
  EXPECT_DOUBLE_EQ(hook->length(), 10.0);

  // A start at a joint begins the piece after it: no piece of zero length.
  const auto other = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  other->setEndPoints({10, 0}, {0, 10});
  ASSERT_EQ(other->vertices().length(), 3);
  EXPECT_EQ(other->composite().numCurves(), 2);
  EXPECT_TRUE(near(other->startPoint(), {10, 0}));

  // Ends off the polyline stretch its first and last pieces.
  const auto stretched = polyline({{0, 0}, {10, 0}, {10, 10}});
  stretched->setEndPoints({-2, 0}, {10, 12});
  EXPECT_DOUBLE_EQ(stretched->length(), 24.0);
  EXPECT_TRUE(endsInStep(*stretched));

  // An arc piece trimmed on its circle keeps its centre.
  CFloorHeatingPolyLine withArc(composite({-5, 0}, {{{5, 0}}, {{-5, 0}, 1}}), 2);
  withArc.setEndPoints({0, 0}, {0, 5});
  ASSERT_EQ(withArc.composite().numCurves(), 2);
  const auto& arcPiece = static_cast<const XtGeCircArc2d&>(*withArc.composite().curveAt(1));
  EXPECT_TRUE(near(arcPiece.center(), {0, 0}));
  EXPECT_NEAR(withArc.length(), 5 + 2.5 * kPi, 1e-9);
}

TEST_F(PolyLineTest, MoveEndKeepsTheEndPointsInStep) {
  const auto run = polyline({{0, 0}, {10, 0}, {10, 10}});
  run->moveEnd({0, 2}, {0, 1}, true);
  EXPECT_TRUE(near(run->vertices()[0], {0, 2}));
  EXPECT_TRUE(near(run->vertices()[1], {10, 1}));
  EXPECT_TRUE(near(run->startPoint(), {0, 2}));
  EXPECT_TRUE(endsInStep(*run));
  run->moveEnd({3, 0}, {0, 0}, false);
  EXPECT_TRUE(near(run->endPoint(), {13, 10}));
  EXPECT_TRUE(near(run->vertices()[1], {13, 1}));
  EXPECT_TRUE(endsInStep(*run));

  // With an arc at the start the start is set anew (the arc piece follows it).
  CFloorHeatingPolyLine withArc(composite({5, 0}, {{{-5, 0}, 1}, {{-5, -10}}}), 2);
  withArc.moveEnd({0, -1}, {0, 0}, true);
  EXPECT_TRUE(near(withArc.startPoint(), {5, -1}));
  EXPECT_TRUE(endsInStep(withArc));
  EXPECT_EQ(withArc.composite().numCurves(), 2);
}

TEST_F(PolyLineTest, SelfOverlaps) {
  EXPECT_TRUE(polyline({{0, 0}, {10, 0}, {5, 0}})->selfOverlaps(workTol, workTol));
  EXPECT_FALSE(polyline({{0, 0}, {10, 0}, {10, 10}})->selfOverlaps(workTol, workTol));
  EXPECT_FALSE(polyline({{0, 0}, {10, 0}, {20, 0}})->selfOverlaps(workTol, workTol));
  EXPECT_FALSE(rectangle(0, 0, 10, 10)->selfOverlaps(workTol, workTol));
  // A closed circle of two half circles, and a D of a chord and a half circle.
  EXPECT_FALSE(CFloorHeatingPolyLine(composite({5, 0}, {{{-5, 0}, 1}, {{5, 0}, 1}}), 1).selfOverlaps(workTol, workTol));
  EXPECT_FALSE(CFloorHeatingPolyLine(composite({-5, 0}, {{{5, 0}}, {{-5, 0}, 1}}), 1).selfOverlaps(workTol, workTol));
  // Pieces that are not neighbours touch; a figure eight crosses.
  EXPECT_TRUE(polyline({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 0}, {5, -3}})->selfOverlaps(workTol, workTol));
  EXPECT_TRUE(polyline({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}})->selfOverlaps(workTol, workTol));
  // Lines and arcs never overlap themselves.
  EXPECT_FALSE(line({0, 0}, {1, 0})->selfOverlaps(workTol, workTol));
}

TEST_F(PolyLineTest, SideTestAgainstTheNearestPieceOrAnEndRay) {
  const auto corner = polyline({{0, 0}, {10, 0}, {10, 10}});
  bool byRay = true;
  EXPECT_TRUE(corner->sideTest({5, 3}, nullptr, &byRay));
  EXPECT_FALSE(byRay);
  EXPECT_FALSE(corner->sideTest({5, -3}));
  EXPECT_FALSE(corner->sideTest({13, 5}));
  // Behind the start: the backward prolongation of the first piece decides.
  EXPECT_TRUE(corner->sideTest({-5, 1}, nullptr, &byRay));
  EXPECT_TRUE(byRay);
  EXPECT_FALSE(corner->sideTest({-5, -1}));

  // A closed loop has no open end: outside near the start is still outside.
  const auto square = rectangle(0, 0, 10, 10);
  EXPECT_FALSE(square->sideTest({-1, 0.2}, nullptr, &byRay));
  EXPECT_FALSE(byRay);
  EXPECT_TRUE(square->sideTest({1, 0.2}));

  // Within a range (the bottom side only), the rest of the loop takes no part.
  XtGePoint2dArray bottom;
  bottom.append(XtGePoint2d(2, 0));
  bottom.append(XtGePoint2d(8, 0));
  EXPECT_TRUE(square->sideTest({1, 9}, &bottom));
  EXPECT_FALSE(square->sideTest({1, -9}, &bottom));
}

TEST_F(PolyLineTest, MeasuresReverseAndTranslate) {
  auto run = polyline({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_TRUE(near(run->pointAtLength(15), {10, 5}));
  EXPECT_TRUE(near(run->pointAtLength(100), {10, 10}));
  EXPECT_DOUBLE_EQ(run->lengthBetween({10, 5}, {5, 0}), 10.0);
  EXPECT_TRUE(near(run->midPoint(), {20.0 / 3, 10.0 / 3}));
  XtGeRay2d ray;
  ASSERT_TRUE(run->normalRay(ray, {10, 5}, 1));
  EXPECT_TRUE(near(ray.evalPoint(1.0), {9, 5}));
  EXPECT_FALSE(run->normalRay(ray, {3, 3}, 1));  // not on the polyline

  run->reverse();
  EXPECT_TRUE(near(run->startPoint(), {10, 10}));
  EXPECT_TRUE(near(run->vertices()[0], {10, 10}));
  EXPECT_TRUE(near(run->pointAtLength(5), {10, 5}));
  EXPECT_TRUE(endsInStep(*run));
  run->translateBy({-10, -10});
  EXPECT_TRUE(near(run->vertices()[2], {-10, -10}));
  EXPECT_TRUE(endsInStep(*run));
  EXPECT_TRUE(near(run->startLine().evalPoint(1.0), {0, -10}));
  EXPECT_TRUE(near(run->endLine().evalPoint(0.0), {0, -10}));

  XtGeCurve2dPtrArray copies;
  run->appendGeCurveCopies(copies);
  ASSERT_EQ(copies.length(), 2);
  EXPECT_EQ(copies[0]->type(), XtGe::kLineSeg2d);
  for (XtGeCurve2d* copy : copies) delete copy;
}

}  // namespace

namespace {

TEST_F(PolyLineTest, FarFromTheOriginAndClockwiseTheAnswersStay) {
  // An L-shaped room 1e7 units off the origin, drawn clockwise: its inside
  // lies on the right of the direction of travel.
  const double o = 1e7;
  const auto room = polyline({{o, o}, {o, o + 10}, {o + 4, o + 10}, {o + 4, o + 4}, {o + 10, o + 4}, {o + 10, o}, {o, o}});
  EXPECT_FALSE(room->selfOverlaps(workTol, workTol));
  EXPECT_FALSE(room->sideTest({o + 2, o + 8}));  // inside the upright leg
  EXPECT_FALSE(room->sideTest({o + 8, o + 2}));  // inside the foot
  EXPECT_TRUE(room->sideTest({o + 7, o + 7}));   // in the notch, outside
  XtGePoint2d hit;
  ASSERT_TRUE(room->intersectWithRay(XtGeRay2d(XtGePoint2d(o + 2, o + 8), XtGeVector2d(1, 0)), hit, workTol));
  EXPECT_TRUE(near(hit, {o + 4, o + 8}, 1e-6));
  room->setEndPoints({o, o + 5}, {o + 7, o + 4});
  EXPECT_NEAR(room->length(), 5 + 4 + 6 + 3, 1e-6);
  EXPECT_TRUE(endsInStep(*room, 1e-6));

  // A narrow corridor folded back on itself overlaps; 0.01 apart it does not.
  EXPECT_TRUE(polyline({{o, o}, {o + 100, o}, {o + 100, o}, {o, o}})->selfOverlaps(workTol, workTol));
  EXPECT_FALSE(polyline({{o, o}, {o + 100, o}, {o + 100, o + 0.01}, {o, o + 0.01}})->selfOverlaps(workTol, workTol));
}

}  // namespace
