// The curve entity builders: the groups each writes, the forms it brings the
// geometry to, and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/FailureNotice.h"
#include "host/Tolerances.h"
#include "host/entities/circArcList.h"
#include "host/entities/curveListDispatch.h"
#include "host/entities/ellipseList.h"
#include "host/entities/lineList.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/pointList.h"
#include "host/entities/rayList.h"
#include "host/entities/seqendList.h"
#include "host/entities/solidList.h"
#include "host/entities/xlineList.h"
#include "platform/ge/XtGeLine2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

constexpr double kPi = XtGe::kPi;
const XtGeMatrix2d& identity = XtGeMatrix2d::kIdentity;

XtGeCompositeCurve2d chain(std::initializer_list<XtGeCurve2d*> pieces) {
  std::vector<std::unique_ptr<XtGeCurve2d>> owned;
  for (XtGeCurve2d* piece : pieces) owned.emplace_back(piece);
  return XtGeCompositeCurve2d(std::move(owned));
}

XtGeCompositeCurve2d polygon(std::initializer_list<XtGePoint2d> corners) {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  for (auto it = corners.begin(); it + 1 != corners.end(); ++it)
    sides.push_back(std::make_unique<XtGeLineSeg2d>(*it, *(it + 1)));
  return XtGeCompositeCurve2d(std::move(sides));
}

class CurveBuilders : public ::testing::Test {
 protected:
  GeometryToleranceScope tolerances{1};
  ltEntProps props;
};

TEST_F(CurveBuilders, ArcsAreWrittenCounterClockwiseWithAnglesFromTheReferenceVector) {
  const XtGeCircArc2d clockwise(XtGePoint2d(0, 0), 1.0, 0.0, 1.5 * kPi, XtGeVector2d::kXAxis, true);
  ownedChain arc(writeCircArc2d(props, clockwise, identity, nullptr));
  EXPECT_EQ(textOf(arc.get(), 0), u"ARC");
  EXPECT_EQ(realsOf(arc.get(), 50), std::vector<double>{kPi / 2});
  EXPECT_EQ(realsOf(arc.get(), 51), std::vector<double>{2 * kPi});
  EXPECT_EQ(nodesOf(arc.get(), 100).size(), 3u);  // entity, circle, arc

  ownedChain circle(writeCircArc2d(props, XtGeCircArc2d(XtGePoint2d(3, 4), 2.0), identity, nullptr));
  EXPECT_EQ(textOf(circle.get(), 0), u"CIRCLE");
  EXPECT_TRUE(nodesOf(circle.get(), 50).empty() && nodesOf(circle.get(), 51).empty());
  EXPECT_EQ(realsOf(circle.get(), 40), std::vector<double>{2.0});

  const XtGeCircArc2d almost(XtGePoint2d(0, 0), 1.0, 0.0, 2 * kPi - 1e-12);
  ownedChain nearlyFull(writeCircArc2d(props, almost, identity, nullptr));
  EXPECT_EQ(textOf(nearlyFull.get(), 0), u"ARC");
  // The library refuses to carry an arc through a non-similarity.
  EXPECT_EQ(writeCircArc2d(props, almost, XtGeMatrix2d::scaling(2.0, 1.0), nullptr), nullptr);
}

TEST_F(CurveBuilders, AFullCircleBecomesTwoHalfCircleVertices) {
  ownedChain list(entBuilder2D::polyline(props, XtGeCircArc2d(XtGePoint2d(0, 0), 1.0), identity, nullptr, nullptr));
  EXPECT_EQ(nodesOf(list.get(), 90).front()->value.i32, 3);
  for (double bulge : realsOf(list.get(), 42)) EXPECT_NEAR(bulge, 1.0, 1e-15);
  EXPECT_EQ(realsOf(list.get(), 42).size(), 2u);
  EXPECT_EQ(realsOf(list.get(), 43), std::vector<double>{0.0});
  const auto vertices = pointsOf(list.get(), 10);
  ASSERT_EQ(vertices.size(), 3u);
  EXPECT_TRUE(vertices[0].isEqualTo({1, 0}) && vertices[1].isEqualTo({-1, 0}) && vertices[2].isEqualTo({1, 0}));
}

TEST_F(CurveBuilders, AClosedSquareRepeatsItsFirstVertexUntilClosedInPlace) {
  const XtGeCompositeCurve2d square = polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  ownedChain list(entBuilder2D::polyline(props, square, identity, nullptr, nullptr));
  EXPECT_EQ(nodesOf(list.get(), 90).front()->value.i32, 5);
  EXPECT_EQ(nodesOf(list.get(), 70).front()->value.i16, 0);
  EXPECT_TRUE(pointsOf(list.get(), 10).back().isEqualTo({0, 0}));
  EXPECT_TRUE(isLwPolylineClosed(list.get()));
  EXPECT_EQ(nodesOf(list.get(), 90).front()->value.i32, 4);
  EXPECT_EQ(nodesOf(list.get(), 70).front()->value.i16, 1);
  EXPECT_EQ(pointsOf(list.get(), 10).size(), 4u);
  EXPECT_TRUE(isLwPolylineClosed(list.get()));  // already closed: unchanged

  // Without an extrusion after the last vertex, only its own groups go.
  ownedChain tail = lwPolylineList(3, 0, {{0, 0, 0}, {5, 0, 0.5}, {0, 0, 0}},
                                   {{41, 1.0}, {1001, u"QEV_DATA"}, {1000, u"zona"}, {1040, 2.0}});
  EXPECT_TRUE(isLwPolylineClosed(tail.get()));
  EXPECT_EQ(describe(tail.get()).substr(describe(tail.get()).find("70=")),
            "70=1\n10=0,0,0\n10=5,0,0\n42=0.5\n1001=QEV_DATA\n1000=zona\n1040=2\n");
  ownedChain open = lwPolylineList(3, 0, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}});
  EXPECT_FALSE(isLwPolylineClosed(open.get()));
  EXPECT_FALSE(isLwPolylineClosed(nullptr));
}

TEST_F(CurveBuilders, EqualWidthsGiveTheConstantWidthAndVaryingOnesGoPerSegment) {
  const XtGeCompositeCurve2d path = polygon({{0, 0}, {10, 0}, {10, 10}});
  const std::vector<double> equal{2, 2, 2, 2}, varying{1, 2, 3, 4};
  ownedChain constant(entBuilder2D::polyline(props, path, identity, nullptr, &equal));
  EXPECT_EQ(realsOf(constant.get(), 43), std::vector<double>{2.0});
  EXPECT_EQ(realsOf(constant.get(), 40), (std::vector<double>{2.0, 2.0}));
  EXPECT_EQ(realsOf(constant.get(), 41), (std::vector<double>{2.0, 2.0}));
  ownedChain perSegment(entBuilder2D::polyline(props, path, identity, nullptr, &varying));
  EXPECT_TRUE(nodesOf(perSegment.get(), 43).empty());
  EXPECT_EQ(realsOf(perSegment.get(), 40), (std::vector<double>{1.0, 3.0}));
  EXPECT_EQ(realsOf(perSegment.get(), 41), (std::vector<double>{2.0, 4.0}));
  const std::vector<double> notFinite{1, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(entBuilder2D::polyline(props, path, identity, nullptr, &notFinite), nullptr);
  EXPECT_EQ(entBuilder2D::polyline(props, XtGeCompositeCurve2d(), identity, nullptr, nullptr), nullptr);
}

TEST_F(CurveBuilders, APieceThePolylineCannotHoldIsWrittenAsItsChordAndReportedOnce) {
  int reports = 0;
  hvSetFailureNoticeSink([&](const hvFailureNotice&) { return ++reports, 1; });
  const XtGeEllipArc2d quarter(XtGePoint2d(10, 0), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 2.0, 1.0, kPi, 1.5 * kPi);
  const XtGeCompositeCurve2d mixed = chain({new XtGeLineSeg2d({0, 0}, {8, 0}), quarter.copy(),
                                            new XtGeLineSeg2d(quarter.endPoint(), {10, -5})});
  ownedChain list(entBuilder2D::polyline(props, mixed, identity, nullptr, nullptr));
  hvSetFailureNoticeSink({});
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(nodesOf(list.get(), 90).front()->value.i32, 4);
  EXPECT_TRUE(nodesOf(list.get(), 42).empty());
  const auto vertices = pointsOf(list.get(), 10);
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_TRUE(vertices[1].isEqualTo({8, 0}) && vertices[2].isEqualTo({10, -1}) && vertices[3].isEqualTo({10, -5}));

  // Out and back along one line is that line.
  const XtGeCompositeCurve2d outAndBack = polygon({{0, 0}, {4, 0}, {0, 0}});
  ownedChain collapsed(entBuilder2D::polyline(props, outAndBack, identity, nullptr, nullptr));
  EXPECT_EQ(pointsOf(collapsed.get(), 10).size(), 2u);
  EXPECT_EQ(nodesOf(collapsed.get(), 90).front()->value.i32, 2);
}

TEST_F(CurveBuilders, EllipsesSwapTheirAxesWhenTheMinorIsLargerAndReduceTheirParameters) {
  const XtGeEllipArc2d tall(XtGePoint2d(1, 1), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 1.0, 2.0, 0.0, kPi);
  ownedChain list(writeEllipArc2d(props, tall, identity, nullptr));
  EXPECT_TRUE(pointsOf(list.get(), 11).front().isEqualTo({0, 2}));
  EXPECT_EQ(realsOf(list.get(), 40), std::vector<double>{0.5});
  EXPECT_NEAR(realsOf(list.get(), 41).front(), 1.5 * kPi, 1e-15);
  EXPECT_NEAR(realsOf(list.get(), 42).front(), 2.5 * kPi, 1e-15);
  XtGeEllipArc2d back;
  ASSERT_TRUE(readEllipArc2d(back, list.get(), nullptr));
  EXPECT_TRUE(back.startPoint().isEqualTo(tall.startPoint(), XtGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(back.endPoint().isEqualTo(tall.endPoint(), XtGeTol(1e-12, 1e-12)));

  // Parameters far beyond a turn are reduced in one step; an arc whose span
  // rounding has erased, or a value that is not finite, gives nothing.
  const XtGeEllipArc2d far(XtGePoint2d(0, 0), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 2.0, 1.0, 1e6, 1e6 + 1.0);
  ownedChain reduced(writeEllipArc2d(props, far, identity, nullptr));
  ASSERT_NE(reduced, nullptr);
  EXPECT_TRUE(realsOf(reduced.get(), 41).front() >= 0.0 && realsOf(reduced.get(), 41).front() < 2 * kPi);
  EXPECT_NEAR(realsOf(reduced.get(), 42).front() - realsOf(reduced.get(), 41).front(), 1.0, 1e-9);
  const XtGeEllipArc2d huge(XtGePoint2d(0, 0), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 2.0, 1.0, 1e300, 1e300 + 1);
  EXPECT_EQ(writeEllipArc2d(props, huge, identity, nullptr), nullptr);
}

TEST_F(CurveBuilders, SolidsTakeClosedOutlinesOfThreeOrFourLineSegments) {
  ownedChain triangle(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {0, 3}, {0, 0}}), identity));
  const auto c12 = pointsOf(triangle.get(), 12), c13 = pointsOf(triangle.get(), 13);
  EXPECT_TRUE(c12.front().isEqualTo({0, 3}) && c13.front().isEqualTo({0, 3}));
  XtGeCompositeCurve2d back;
  ASSERT_TRUE(entReader2D::solid(back, triangle.get(), nullptr));
  EXPECT_TRUE(back.numCurves() == 3 && back.xtIsClosed());

  ownedChain quad(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 0}}), identity));
  EXPECT_TRUE(pointsOf(quad.get(), 12).front().isEqualTo({0, 3}) && pointsOf(quad.get(), 13).front().isEqualTo({4, 3}));
  EXPECT_EQ(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {4, 3}}), identity), nullptr);
  EXPECT_EQ(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {5, 1}, {4, 3}, {0, 3}, {0, 0}}), identity), nullptr);
}

TEST_F(CurveBuilders, RaysAndXlinesAreWrittenWithUnitDirectionsIntoTheCurve) {
  XtGeRay2d reversed(XtGePoint2d(1, 2), XtGeVector2d(3, 4));
  reversed.reverseParam();  // bounded above at its base
  for (const XtGeRay2d& ray : {XtGeRay2d(XtGePoint2d(1, 2), XtGeVector2d(3, 4)), reversed}) {
    ownedChain list(writeRay2d(props, ray, identity, nullptr));
    EXPECT_TRUE(pointsOf(list.get(), 10).front().isEqualTo({1, 2}));
    EXPECT_TRUE(pointsOf(list.get(), 11).front().isEqualTo({0.6, 0.8}, XtGeTol(1e-15, 1e-15)));
  }
  ownedChain xline(entBuilder2D::xline(props, XtGeLine2d(XtGePoint2d(1, 1), XtGeVector2d(0, -5)), identity, nullptr));
  EXPECT_TRUE(pointsOf(xline.get(), 11).front().isEqualTo({0, -1}));
  EXPECT_EQ(entBuilder2D::xline(props, XtGeLine2d(XtGePoint2d(1, 1), XtGeVector2d(0, 0)), identity, nullptr), nullptr);
}

TEST_F(CurveBuilders, KeptGroupsComeFromThePreviousListAtTheirPlaces) {
  ownedChain previous(buildResbufList({{0, u"LINE"}, {100, u"AcDbEntity"}, {100, u"AcDbLine"}, {39, 2.5},
                                       {210, xyz(0, 0, -1)}, {50, 0.5}}));
  ownedChain line(entBuilder2D::line(props, XtGeLineSeg2d({0, 0}, {1, 1}), identity, previous.get()));
  const std::vector<int> codes = codesOf(line.get());
  EXPECT_EQ(std::vector<int>(codes.end() - 5, codes.end()), (std::vector<int>{100, 39, 10, 11, 210}));
  ownedChain point(entBuilder2D::point(props, XtGePoint2d(1, 2), XtGeMatrix2d::translation({1, 1}), previous.get()));
  const std::vector<int> pointCodes = codesOf(point.get());
  EXPECT_EQ(std::vector<int>(pointCodes.end() - 5, pointCodes.end()), (std::vector<int>{100, 10, 39, 210, 50}));
  EXPECT_TRUE(pointsOf(point.get(), 10).front().isEqualTo({2, 3}));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(entBuilder2D::line(props, XtGeLineSeg2d({0, 0}, {nan, 1}), identity, nullptr), nullptr);
  ownedChain seqend(entBuilder2D::seqend());  // by block: transparency 440 too
  EXPECT_EQ(codesOf(seqend.get()), (std::vector<int>{0, 100, 8, 6, 62, 440, 370, 48}));
  EXPECT_EQ(textOf(seqend.get(), 6), u"BYBLOCK");
}

TEST_F(CurveBuilders, WriteCurve2dPicksTheEntityByCurveType) {
  const std::pair<std::unique_ptr<XtGeCurve2d>, const char16_t*> cases[] = {
      {std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(1, 0)), u"LINE"},
      {std::make_unique<XtGeCircArc2d>(XtGePoint2d(0, 0), 1.0, 0.0, 1.0), u"ARC"},
      {std::make_unique<XtGeEllipArc2d>(), u"ELLIPSE"},
      {std::make_unique<XtGeLine2d>(), u"XLINE"},
      {std::make_unique<XtGeRay2d>(), u"RAY"},
      {std::make_unique<XtGeCompositeCurve2d>(polygon({{0, 0}, {1, 0}})), u"LWPOLYLINE"}};
  for (const auto& [curve, type] : cases)
    EXPECT_EQ(textOf(ownedChain(writeCurve2d(props, *curve, identity, nullptr)).get(), 0), type);
}

}  // namespace
