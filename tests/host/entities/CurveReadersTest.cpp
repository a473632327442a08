// The curve entity readers: merged vertices under each unit factor,
// extrusions, the lists they refuse without touching their outputs, and the
// construction-line classifier (ezdxf-made lists: curve_entities.py).
#include <gtest/gtest.h>

#include <limits>

#include "host/Tolerances.h"
#include "host/entities/auxEntityClass.h"
#include "host/entities/curveListDispatch.h"
#include "host/entities/ellipseList.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/lineList.h"
#include "host/entities/lwPolylineList.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

ownedChain listOf(std::initializer_list<ResbufPair> pairs) { return ownedChain(buildResbufList(pairs)); }

TEST(CurveReaders, RepeatedVerticesMergeAndASingleOneIsAPoint) {
  GeometryToleranceScope tolerances(1);
  XtGeCompositeCurve2d curve;
  // The repeated vertex goes with its bulge; the closing vertex keeps the
  // last one's; widths default to 43; the extrusion mirrors.
  ownedChain repeated = lwPolylineList(4, 1, {{0, 0, 0}, {10, 0, 0}, {10, 0, 0.5}, {10, 10, 0}},
                                       {{43, 0.25}, {210, xyz(0, 0, -1)}});
  std::vector<double> widths{9};
  ASSERT_EQ(entReader2D::polyline(curve, repeated.get(), nullptr, &widths), 1);
  EXPECT_EQ(std::pair(curve.numCurves(), curve.curveAt(1)->type()), std::pair(3, int(XtGe::kCircArc2d)));
  EXPECT_TRUE(curve.xtIsClosed() && curve.curveAt(0)->xtEvalPoint(1).isEqualTo({-10, 0}));
  EXPECT_EQ(widths, std::vector<double>(6, 0.25));
  // One vertex is a point, where the drawing shows it.
  ASSERT_EQ(entReader2D::polyline(curve, lwPolylineList(1, 1, {{3, 4, 0}}, {{210, xyz(0, 0, -1)}}).get(), nullptr, &widths), 1);
  EXPECT_TRUE(curve.numCurves() == 1 && curve.totalLength() == 0.0 && widths.empty());
  EXPECT_TRUE(curve.xtEvalPoint(0).isEqualTo({-3, 4}));
}

TEST(CurveReaders, PointsMergeWithinTheToleranceOfTheUnitFactor) {
  ownedChain list = lwPolylineList(3, 0, {{0, 0, 0}, {1e-4, 0, 0}, {5, 5, 0}});
  ownedChain shortLine = listOf({{0, u"line"}, {10, xyz(0, 0)}, {11, xyz(1e-4, 0)}});
  for (const auto& [factor, pieces] : {std::pair{1, 2}, std::pair{1000, 1}}) {
    GeometryToleranceScope tolerances(factor);
    XtGeCompositeCurve2d curve;
    XtGeLineSeg2d line;
    ASSERT_EQ(entReader2D::polyline(curve, list.get(), nullptr, nullptr), 1);
    EXPECT_EQ(curve.numCurves(), pieces) << factor;
    EXPECT_EQ(entReader2D::line(line, shortLine.get(), nullptr), factor == 1) << factor;
  }
}

TEST(CurveReaders, AnEllipseWrittenUnderANegativeExtrusionReadsBackAsTheSamePoints) {
  const XtGeEllipArc2d arc(XtGePoint2d(2, 3), XtGeVector2d(0.6, 0.8), XtGeVector2d(-0.8, 0.6), 5.0, 2.0, 0.5, 4.0);
  ownedChain previous = listOf({{0, u"ELLIPSE"}, {210, xyz(0, 0, -1)}});
  ownedChain list(writeEllipArc2d(ltEntProps(), arc, XtGeMatrix2d::kIdentity, previous.get()));
  XtGeEllipArc2d back;
  ASSERT_TRUE(readEllipArc2d(back, list.get(), nullptr));
  for (double t = 0.5; t <= 4.0; t += 0.25) EXPECT_LT(back.distanceTo(arc.xtEvalPoint(t)), 1e-12) << t;
  EXPECT_LT(back.length(), arc.length() * (1 + 1e-12));
}

TEST(CurveReaders, BadListsAreRefusedAndLeaveTheOutputsAlone) {
  const ownedChain lists[] = {
      lwPolylineList(5, 0, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}),
      lwPolylineList(-1, 0, {{0, 0, 0}, {1, 0, 0}}),
      lwPolylineList(std::numeric_limits<std::int32_t>::max(), 0, {{0, 0, 0}, {1, 0, 0}}),
      lwPolylineList(2, 0, {{0, 0, kNan}, {1, 0, 0}}),
      lwPolylineList(2, 0, {{0, 0, 0}, {1, 0, 0}}, {{43, kNan}}),
      listOf({{0, u"LWPOLYLINE"}, {10, xyz(0, 0)}, {10, xyz(1, 0)}}),
      listOf({{0, u"LINE"}, {10, xyz(0, 0)}, {11, xyz(0, 0)}}),
      listOf({{0, u"LINE"}, {10, xyz(0, kNan)}, {11, xyz(1, 0)}}),
      listOf({{0, u"LINE"}, {11, xyz(1, 0)}}),
      listOf({{0, u"ARC"}, {10, xyz(0, 0)}, {40, 0.0}}),
      listOf({{0, u"CIRCLE"}, {10, xyz(0, 0)}, {40, -1.0}}),
      listOf({{0, u"ARC"}, {10, xyz(0, 0)}, {40, 1.0}, {50, kNan}}),
      listOf({{0, u"ELLIPSE"}, {10, xyz(0, 0)}, {11, xyz(1, 0)}, {40, 0.0}}),
      listOf({{0, u"ELLIPSE"}, {10, xyz(0, 0)}, {11, xyz(1, 0)}, {40, 1.5}}),
      listOf({{0, u"ELLIPSE"}, {10, xyz(0, 0)}, {11, xyz(0, 0)}, {40, 0.5}}),
      listOf({{0, u"ELLIPSE"}, {10, xyz(0, 0)}, {11, xyz(1, 0)}, {40, 0.5}, {42, kNan}}),
      listOf({{0, u"XLINE"}, {10, xyz(0, 0)}, {11, xyz(0, 0)}}),
      listOf({{0, u"RAY"}, {10, xyz(0, 0)}}),
      listOf({{0, u"POINT"}, {11, xyz(0, 0)}}),
      listOf({{0, u"SOLID"}, {10, xyz(0, 0)}, {11, xyz(1, 0)}, {12, xyz(1, 0)}, {13, xyz(0, 0)}}),
      listOf({{0, u"SPLINE"}, {10, xyz(0, 0)}}),
  };
  for (const ownedChain& list : lists) {
    std::unique_ptr<XtGeCurve2d> curve(new XtGeLineSeg2d());
    EXPECT_FALSE(entReader2D::curve(curve, list.get(), nullptr) || curve) << describe(list.get());
    EXPECT_EQ(entReader2D::entity(list.get()), nullptr) << describe(list.get());
    EXPECT_EQ(entReader2D::anyEntity(list.get())->entType(), ltEntKind::unknown);
  }
  XtGeCompositeCurve2d kept;
  std::vector<double> widths{7};
  EXPECT_EQ(entReader2D::polyline(kept, lists[0].get(), nullptr, &widths), 0);
  EXPECT_EQ(widths, std::vector<double>{7});
}

TEST(CurveReaders, ConstructionLinesAreToldByLayerAndColour) {
  std::array<double, 3> p10{}, p11{};
  const auto classify = [&](const char16_t* type, const char16_t* layer, int colour) {
    ownedChain list = listOf({{0, type}, {8, layer}, {62, colour}, {10, xyz(1, 2)}, {11, xyz(3, 4)}, {0, u"END"}});
    return entReader2D::classifyAuxEntity(list.get(), &p10, &p11);
  };
  EXPECT_EQ(classify(u"LINE", u"DEFPOINTS", 7), 2);
  EXPECT_EQ(std::pair(p10, p11), std::pair(xyz(1, 2), xyz(3, 4)));
  EXPECT_EQ(classify(u"LINE", u"defpoints", 1), 1);
  EXPECT_EQ(classify(u"LINE", u"STENY", 7), 0);
  EXPECT_EQ(classify(u"CIRCLE", u"Defpoints", 1), 1);
  EXPECT_EQ(classify(u"CIRCLE", u"0", 7), 0);
  EXPECT_EQ(entReader2D::classifyAuxEntity(listOf({{0, u"LINE"}, {10, xyz(0, 0)}}).get(), nullptr, nullptr), 2);
  EXPECT_EQ(entReader2D::classifyAuxEntity(listOf({{8, u"DEFPOINTS"}}).get(), nullptr, nullptr), 0);
}

}  // namespace
