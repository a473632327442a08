// The curve entity builders: the forms they bring the geometry to and what
// they refuse (the groups of every kind are checked by ezdxf in
// curve_entities.py).
#include <gtest/gtest.h>

#include <limits>

#include "geometry/FailureNotice.h"
#include "host/Tolerances.h"
#include "host/entities/circArcList.h"
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

class CurveBuilders : public ::testing::Test {
 protected:
  GeometryToleranceScope tolerances{1};
  ltEntProps props;
  ownedChain polyline(const XtGeCurve2d& curve, const std::vector<double>* widths = nullptr) {
    return ownedChain(entBuilder2D::polyline(props, curve, identity, nullptr, widths));
  }
};

TEST_F(CurveBuilders, AClosedSquareRepeatsItsFirstVertexUntilClosedInPlace) {
  ownedChain list = polyline(polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
  EXPECT_EQ(std::pair(intOf(list.get(), 90), intOf(list.get(), 70)), std::pair(5, 0));
  EXPECT_TRUE(isLwPolylineClosed(list.get()));
  EXPECT_EQ(std::tuple(intOf(list.get(), 90), intOf(list.get(), 70), pointsOf(list.get(), 10).size()),
            std::tuple(4, 1, 4u));
  EXPECT_TRUE(isLwPolylineClosed(list.get()));  // already closed
  // Without an extrusion after the last vertex only its own groups go.
  ownedChain tail = lwPolylineList(3, 0, {{0, 0, 0}, {5, 0, 0.5}, {0, 0, 0}}, {{41, 1.0}, {1001, u"QEV_DATA"}, {1040, 2.0}});
  EXPECT_TRUE(isLwPolylineClosed(tail.get()));
  const std::string text = describe(tail.get());
  EXPECT_EQ(text.substr(text.find("70=")), "70=1\n10=0,0,0\n10=5,0,0\n42=0.5\n1001=QEV_DATA\n1040=2\n");
  EXPECT_FALSE(isLwPolylineClosed(lwPolylineList(3, 0, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}}).get()));
}

TEST_F(CurveBuilders, APieceThePolylineCannotHoldIsWrittenAsItsChordAndReportedOnce) {
  int reports = 0;
  hvSetFailureNoticeSink([&](const hvFailureNotice&) { return ++reports, 1; });
  const XtGeEllipArc2d quarter(XtGePoint2d(10, 0), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 2.0, 1.0, kPi, 1.5 * kPi);
  ownedChain list = polyline(chain({new XtGeLineSeg2d({0, 0}, {8, 0}), quarter.copy(),
                                    new XtGeLineSeg2d(quarter.endPoint(), {10, -5})}));
  hvSetFailureNoticeSink({});
  EXPECT_EQ(std::tuple(reports, intOf(list.get(), 90), nodesOf(list.get(), 42).size()), std::tuple(1, 4, 0u));
  const auto v = pointsOf(list.get(), 10);
  EXPECT_TRUE(v[1].isEqualTo({8, 0}) && v[2].isEqualTo({10, -1}) && v[3].isEqualTo({10, -5}));
  // Out and back along one line is that line.
  EXPECT_EQ(intOf(polyline(polygon({{0, 0}, {4, 0}, {0, 0}})).get(), 90), 2);
}

TEST_F(CurveBuilders, EllipsesFarBeyondATurnAreReducedInOneStep) {
  // Far beyond a turn: reduced in one step; a span rounding has erased gives nothing.
  auto far = [&](double start) {
    const XtGeEllipArc2d arc(XtGePoint2d(0, 0), XtGeVector2d(1, 0), XtGeVector2d(0, 1), 2.0, 1.0, start, start + 1);
    return ownedChain(writeEllipArc2d(props, arc, identity, nullptr));
  };
  ownedChain reduced = far(1e6);
  ASSERT_NE(reduced, nullptr);
  const double start = realsOf(reduced.get(), 41).front();
  EXPECT_TRUE(start >= 0.0 && start < 2 * kPi);
  EXPECT_NEAR(realsOf(reduced.get(), 42).front() - start, 1.0, 1e-9);
  EXPECT_EQ(far(1e300), nullptr);
}

TEST_F(CurveBuilders, KeptGroupsComeFromThePreviousListAndBadGeometryGivesNothing) {
  ownedChain previous(buildResbufList({{0, u"LINE"}, {100, u"AcDbLine"}, {39, 2.5}, {210, xyz(0, 0, -1)}, {50, 0.5}}));
  ownedChain line(entBuilder2D::line(props, XtGeLineSeg2d({0, 0}, {1, 1}), identity, previous.get()));
  ownedChain point(entBuilder2D::point(props, XtGePoint2d(1, 2), XtGeMatrix2d::translation({1, 1}), previous.get()));
  const std::vector<int> lineCodes = codesOf(line.get()), pointCodes = codesOf(point.get());
  EXPECT_EQ(std::vector<int>(lineCodes.end() - 5, lineCodes.end()), (std::vector<int>{100, 39, 10, 11, 210}));
  EXPECT_EQ(std::vector<int>(pointCodes.end() - 5, pointCodes.end()), (std::vector<int>{100, 10, 39, 210, 50}));
  EXPECT_TRUE(pointsOf(point.get(), 10).front().isEqualTo({2, 3}));
  EXPECT_EQ(entBuilder2D::line(props, XtGeLineSeg2d({0, 0}, {std::nan(""), 1}), identity, nullptr), nullptr);
  EXPECT_EQ(entBuilder2D::xline(props, XtGeLine2d(XtGePoint2d(1, 1), XtGeVector2d(0, 0)), identity, nullptr), nullptr);
  EXPECT_EQ(writeRay2d(props, XtGeRay2d(XtGePoint2d(1, 1), XtGeVector2d(0, 0)), identity, nullptr), nullptr);
  const XtGeCircArc2d arc(XtGePoint2d(0, 0), 1.0, 0.0, 1.0);  // arcs go through similarities only
  EXPECT_EQ(writeCircArc2d(props, arc, XtGeMatrix2d::scaling(2.0, 1.0), nullptr), nullptr);
  const std::vector<double> badWidths{1, std::nan("")};
  EXPECT_EQ(polyline(polygon({{0, 0}, {10, 0}, {10, 10}}), &badWidths), nullptr);
  EXPECT_EQ(polyline(XtGeCompositeCurve2d()), nullptr);
  EXPECT_EQ(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {4, 3}}), identity), nullptr);  // open
  EXPECT_EQ(entBuilder2D::solid(props, polygon({{0, 0}, {4, 0}, {5, 1}, {4, 3}, {0, 3}, {0, 0}}), identity), nullptr);
  ownedChain seqend(entBuilder2D::seqend());  // by block, transparency included
  EXPECT_EQ(codesOf(seqend.get()), (std::vector<int>{0, 100, 8, 6, 62, 440, 370, 48}));
}

}  // namespace
