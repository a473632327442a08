// Cutting entity copies by curves: pieces add up to the source, stay on the
// side the selector keeps, polylines come back as the sides between their
// cuts, outlines are combined as regions, and kinds that are not cut are
// handed on whole.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/curveArea.h"
#include "geometry/curveClassification.h"
#include "host/ResbufBuilder.h"
#include "host/Tolerances.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltInsert2D.h"
#include "host/entities/ltLine2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltSolid2D.h"
#include "host/entities/ltText2D.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

constexpr double pi = std::numbers::pi;
const XtGeTol tight(1e-9, 1e-9);

// A LINE copy holding its list (one reference).
std::unique_ptr<ltEnt2D> segmentCopy(XtGePoint2d a, XtGePoint2d b) {
  ownedChain list(buildResbufList({{0, u"LINE"}, {5, u"4B"}, {100, u"AcDbEntity"}, {8, u"ROZVOD"},
                                   {100, u"AcDbLine"}, {10, xyz(a.x, a.y)}, {11, xyz(b.x, b.y)}}));
  return entReader2D::entity(list.get());
}

std::vector<std::pair<XtGePoint2d, XtGePoint2d>> segmentsOf(const ltEntArray& pieces) {
  std::vector<std::pair<XtGePoint2d, XtGePoint2d>> ends;
  for (const auto& piece : pieces) {
    const auto* segment = dynamic_cast<const XtGeLineSeg2d*>(piece->getCurve());
    if (segment) ends.emplace_back(segment->startPoint(), segment->endPoint());
  }
  return ends;
}

XtGeCompositeCurve2d square(double size) {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  const XtGePoint2d corners[] = {{0, 0}, {size, 0}, {size, size}, {0, size}};
  for (int i = 0; i < 4; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(corners[i], corners[(i + 1) % 4]));
  return XtGeCompositeCurve2d(std::move(sides));
}

double lengthOf(const ltEnt2D& copy) { return copy.getCurve() ? copy.getCurve()->length() : -1.0; }

TEST(EntityCutting, ASegmentKeepsTheSideOfTheSelectorOrTheReferencePoint) {
  GeometryToleranceScope tolerances(1);
  auto segment = segmentCopy({0, 0}, {10, 0});
  const XtGeCircArc2d circle({5, 0}, 2.0);
  ltEntArray pieces;
  bool inside = false;
  EXPECT_EQ(segment->splitByCurveBounded(circle, pieces, 2, &inside, nullptr, nullptr), 0);
  EXPECT_TRUE(inside);
  EXPECT_EQ(segmentsOf(pieces).size(), 1u);
  EXPECT_TRUE(segmentsOf(pieces)[0].first.isEqualTo({3, 0}, tight) && segmentsOf(pieces)[0].second.isEqualTo({7, 0}, tight));

  // An open cutter keeps the side of the reference point.
  pieces.clear();
  const XtGeLineSeg2d wall({4, -1}, {4, 1});
  const XtGePoint2d reference(0, 0.5);
  EXPECT_EQ(segment->splitByCurveBounded(wall, pieces, 2, &inside, &reference, nullptr), 0);
  ASSERT_EQ(segmentsOf(pieces).size(), 1u);
  EXPECT_TRUE(segmentsOf(pieces)[0].first.isEqualTo({0, 0}, tight) && segmentsOf(pieces)[0].second.isEqualTo({4, 0}, tight));
  // ... but an unbounded one gives no region without bounds.
  pieces.clear();
  EXPECT_EQ(segment->splitByCurveBounded(XtGeLine2d({4, 0}, XtGeVector2d(0, 1)), pieces, 2, &inside, &reference,
                                         nullptr),
            0);
  EXPECT_TRUE(pieces.empty());
  EXPECT_FALSE(inside);
}

TEST(EntityCutting, PolylinesComeBackAsTheSidesBetweenTheirCuts) {
  GeometryToleranceScope tolerances(1);
  const ownedChain rectangle = lwPolylineList(4, 1, {{0, 0, 0}, {10, 0, 0}, {10, 4, 0}, {0, 4, 0}});
  auto polyline = entReader2D::entity(rectangle.get());
  const XtGeCircArc2d circle({10, 2}, 1.0);
  ltEntArray pieces;
  EXPECT_EQ(polyline->splitByCurve(circle, pieces), 0);
  std::vector<double> lengths;
  for (const auto& piece : pieces) {
    EXPECT_EQ(piece->entType(), ltEntKind::polyline);
    lengths.push_back(lengthOf(*piece));
  }
  std::sort(lengths.begin(), lengths.end());
  ASSERT_EQ(lengths.size(), 2u);
  EXPECT_NEAR(lengths[0], 2.0, 1e-9);
  EXPECT_NEAR(lengths[1], 26.0, 1e-9);

  // Uncut, it stays whole; bounded with its rejoin word, the kept side is
  // one polyline across its start, else loose pieces.
  pieces.clear();
  EXPECT_EQ(polyline->splitByCurve(XtGeCircArc2d({50, 50}, 1.0), pieces), 0);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_NEAR(lengthOf(*pieces[0]), 28.0, 1e-9);
  for (int word : {1, 0}) {
    static_cast<ltPolyline2D&>(*polyline).rejoinWord = word;
    pieces.clear();
    bool inside = false;
    polyline->splitByCurveBounded(circle, pieces, 1, &inside, nullptr, nullptr);
    EXPECT_TRUE(inside);
    EXPECT_EQ(pieces.size(), word ? 1u : 5u);
    double total = 0.0;
    for (const auto& piece : pieces) {
      total += lengthOf(*piece);
      XtGeInterval range;
      piece->getCurve()->getInterval(range);
      EXPECT_EQ(classifyPointInCurve(piece->getCurve()->evalPoint(0.5 * (range.lowerBound() + range.upperBound())),
                                     circle),
                kPositionOutside);
    }
    EXPECT_NEAR(total, 26.0, 1e-9);
  }
}

TEST(EntityCutting, KindsThatAreNotCutAreHandedOnWhole) {
  GeometryToleranceScope tolerances(1);
  const XtGeCircArc2d circle({0, 0}, 5.0);
  ltMText2D mtext;
  ltEntArray pieces;
  bool inside = true;
  EXPECT_EQ(mtext.splitByCurve(circle, pieces), -1);
  EXPECT_EQ(mtext.splitByCurveBounded(circle, pieces, 2, &inside, nullptr, nullptr), -1);
  EXPECT_TRUE(pieces.empty());
  EXPECT_FALSE(inside);
  ltText2D text;
  ltInsert2D insert;
  for (ltEnt2D* whole : std::initializer_list<ltEnt2D*>{&text, &insert}) {
    pieces.clear();
    EXPECT_EQ(whole->splitByCurve(circle, pieces), 1);
    EXPECT_EQ(whole->splitByCurveBounded(circle, pieces, 1, &inside, nullptr, nullptr), 1);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1]->entType(), whole->entType());
  }
  for (auto [at, selector, kept] : {std::tuple(XtGePoint2d(1, 1), 2, true), std::tuple(XtGePoint2d(1, 1), 1, false),
                                    std::tuple(XtGePoint2d(9, 1), 1, true), std::tuple(XtGePoint2d(5, 0), 4, true)}) {
    ltPoint2D point(at);
    pieces.clear();
    EXPECT_EQ(point.splitByCurveBounded(circle, pieces, selector, &inside, nullptr, nullptr), 1);
    EXPECT_EQ(pieces.size(), kept ? 1u : 0u) << at.x << " " << selector;
  }
}

TEST(EntityCutting, AnImageClipWithAHoleBecomesOneKeyholeBoundary) {
  GeometryToleranceScope tolerances(1);
  ltImage2D image;
  image.u = {0.1, 0};
  image.v = {0, 0.1};
  image.size = {100, 100};
  image.clipBoundary = square(10);
  ltEntArray pieces;
  bool inside = false;
  EXPECT_EQ(image.splitByCurveBounded(XtGeCircArc2d({5, 5}, 2.0), pieces, 1, &inside, nullptr, nullptr), 1);
  EXPECT_TRUE(inside);
  ASSERT_EQ(pieces.size(), 1u);
  const auto& clipped = static_cast<const ltImage2D&>(*pieces[0]);
  EXPECT_TRUE(clipped.isDirty());
  EXPECT_TRUE(clipped.clipBoundary.xtIsClosed(tight));
  double area = 0.0;
  ASSERT_TRUE(getCurveSignedArea(clipped.clipBoundary, area));
  EXPECT_NEAR(std::fabs(area), 100 - 4 * pi, 1e-6);

  // Inside the circle the clip is the disc.
  pieces.clear();
  image.splitByCurveBounded(XtGeCircArc2d({5, 5}, 2.0), pieces, 2, &inside, nullptr, nullptr);
  ASSERT_EQ(pieces.size(), 1u);
  ASSERT_TRUE(getCurveArea(static_cast<const ltImage2D&>(*pieces[0]).clipBoundary, area));
  EXPECT_NEAR(area, 4 * pi, 1e-6);
}

// The area a solid or hatch copy fills (a hatch even-odd over its loops).
double filledArea(const ltEnt2D& copy) {
  double area = -1.0, boundary = 0.0, total = 0.0;
  if (copy.entType() == ltEntKind::solid) {
    getCurveArea(static_cast<const ltSolid2D&>(copy).geometry(), area);
    return area;
  }
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  static_cast<const ltHatch2D&>(copy).getProperties(area, boundary, curves, total);
  return area;
}

TEST(EntityCutting, SolidsAndHatchesAreCutAsRegions) {
  GeometryToleranceScope tolerances(1);
  ltSolid2D solid(square(4));
  ltHatch2D hatch;
  hatch.loops().push_back({square(10), 1, {u"2A"}});
  const XtGeCircArc2d corner({4, 4}, 2.0), middle({5, 5}, 2.0), far({50, 50}, 1.0);
  const XtGeLineSeg2d wall({1, -1}, {1, 5});
  const XtGePoint2d left(0, 2);
  struct Case {
    ltEnt2D* source;
    const XtGeCurve2d* cutter;
    int selector;
    const XtGePoint2d* reference;
    ltEntKind kind;  // a solid holds no arc: a cut through one becomes a hatch
    double area;
    bool inside;
  };
  const Case cases[] = {{&solid, &corner, 1, nullptr, ltEntKind::hatch, 16 - pi, true},
                        {&solid, &corner, 2, nullptr, ltEntKind::hatch, pi, true},
                        {&solid, &wall, 2, &left, ltEntKind::solid, 4, true},
                        {&solid, &far, 1, nullptr, ltEntKind::solid, 16, false},
                        {&hatch, &middle, 1, nullptr, ltEntKind::hatch, 100 - 4 * pi, true},
                        {&hatch, &middle, 2, nullptr, ltEntKind::hatch, 4 * pi, true}};
  for (const Case& c : cases) {
    ltEntArray pieces;
    bool inside = !c.inside;
    EXPECT_EQ(c.source->splitByCurveBounded(*c.cutter, pieces, c.selector, &inside, c.reference, nullptr), 1);
    EXPECT_EQ(inside, c.inside);
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0]->entType(), c.kind);
    EXPECT_TRUE(pieces[0]->isDirty());
    EXPECT_NEAR(filledArea(*pieces[0]), c.area, 1e-6) << c.area;
    if (c.source == &hatch) {  // cut loops no longer follow their objects
      EXPECT_TRUE(static_cast<const ltHatch2D&>(*pieces[0]).loops()[0].handles.empty());
    }
  }
  // With its word set, a loop the cut leaves alone stays as it was.
  hatch.cutDropWord = 1;
  ltEntArray pieces;
  hatch.splitByCurveBounded(far, pieces, 1, nullptr, nullptr, nullptr);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(static_cast<const ltHatch2D&>(*pieces[0]).loops()[0].handles, std::vector<std::u16string>{u"2A"});
}

TEST(EntityCutting, CurvesInTurnListEachCuttingCurveOnce) {
  GeometryToleranceScope tolerances(1);
  auto segment = segmentCopy({0, 0}, {10, 0});
  const XtGeCircArc2d first({2, 0}, 1.0);
  const XtGeCircArc2d wide({2, 0}, 3.0);
  const XtGeCurve2d* cutters[] = {&wide, &first, &first};
  ltEntArray pieces;
  std::vector<const XtGeCurve2d*> cutting;
  segment->splitByCurves(cutters, pieces, {}, &cutting, nullptr, nullptr);
  ASSERT_EQ(segmentsOf(pieces).size(), 1u);
  EXPECT_TRUE(segmentsOf(pieces)[0].first.isEqualTo({1, 0}, tight) && segmentsOf(pieces)[0].second.isEqualTo({3, 0}, tight));
  EXPECT_EQ(cutting, (std::vector<const XtGeCurve2d*>{&wide, &first}));
}

}  // namespace
