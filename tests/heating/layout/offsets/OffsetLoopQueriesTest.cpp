// Offset-loop queries: picked intersections against brute force on the
// levels of drawn zones, and the small loop services.
#include <numbers>
#include <random>

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"
#include "ZoneSet.h"
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/curves/CFloorHeatingArc.h"
#include "heating/layout/offsets/LoopSampling.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"

namespace {

using graph_test::polygonLoop;

class OffsetLoopQueries : public layout_test::LayoutTest {};

// Every distance from the reference to a hit of the probe on the loop,
// section by section with the geometry library alone.
std::vector<double> bruteDistances(const COffsetLoop& loop, const XtGeLinearEnt2d& probe, const XtGePoint2d& from) {
  std::vector<double> out;
  for (const CLoopElement* e : loop.elements) {
    XtGePoint2d hit;
    if (dynamic_cast<const XtGeLinearEnt2d&>(e->curve->geCurve()).intersectWith(probe, hit, workTolFine))
      out.push_back(hit.distanceTo(from));
  }
  return out;
}

TEST_F(OffsetLoopQueries, PicksAgreeWithBruteForce) {
  std::mt19937 random(44);
  std::uniform_real_distribution<double> coordinate(-500.0, 4500.0);
  std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
  int checked = 0;
  for (const zone_fixture::Zone& zone : {zone_fixture::z1Rectangle(), zone_fixture::z2L(), zone_set::z6a().zone}) {
    layout_test::Levels levels;
    COffsetBuilder(zone.raw(), zone_fixture::kFirstOffset, zone_fixture::kSpacing).buildLoops(levels.levels);
    for (std::size_t k = 0; k < levels.size(); ++k) {
      const COffsetLoop& loop = *levels[k][0];
      for (int probe = 0; probe < 500 / 3 / static_cast<int>(levels.size()) + 1; ++probe, ++checked) {
        const XtGePoint2d a(coordinate(random), coordinate(random));
        const XtGePoint2d b(coordinate(random), coordinate(random));
        const CLoopPoint reference(XtGePoint2d(coordinate(random), coordinate(random)));
        const CFloorHeatingLine segment(a, b, nullptr, 1);
        const XtGeRay2d ray(a, XtGeVector2d(std::cos(angle(random)), std::sin(angle(random))));
        for (const bool isRay : {false, true}) {
          const std::vector<double> d = isRay ? bruteDistances(loop, ray, reference.point)
                                              : bruteDistances(loop, segment.segment(), reference.point);
          CLoopPoint nearest, farthest, both[2];
          const bool found =
              isRay ? loop.nearestRayIntersection(ray, reference, nearest, workTol) &&
                          loop.farthestRayIntersection(ray, reference, farthest, workTol)
                    : loop.nearestIntersection(segment, reference, nearest, workTol) &&
                          loop.farthestIntersection(segment, reference, farthest, workTol) &&
                          loop.nearestAndFarthestIntersection(segment, reference, both[0], both[1], workTol);
          ASSERT_EQ(found, !d.empty()) << zone.name << " level " << k << (isRay ? " ray" : " segment");
          if (d.empty()) continue;
          EXPECT_NEAR(nearest.point.distanceTo(reference.point), *std::min_element(d.begin(), d.end()), 1e-6);
          EXPECT_NEAR(farthest.point.distanceTo(reference.point), *std::max_element(d.begin(), d.end()), 1e-6);
          EXPECT_TRUE(isRay || (both[0].point == nearest.point && both[1].point == farthest.point));
          for (const CLoopElement* link : nearest.links()) EXPECT_TRUE(link->curve->isOn(nearest.point));
        }
      }
    }
  }
  EXPECT_GE(checked, 500);
}

TEST_F(OffsetLoopQueries, HitsAtCornersAndMisses) {
  const auto square = polygonLoop({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
  std::vector<COffsetPoint> hits;
  ASSERT_TRUE(square->rayIntersections(XtGeRay2d({-500, -500}, XtGeVector2d(1, 1)), hits, workTol));
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_TRUE(hits[0].point.isEqualTo({0, 0}, workTol));
  EXPECT_EQ(hits[0].links().size(), 2u) << "a corner links both its sections";
  CLoopPoint untouched(XtGePoint2d(7, 7), square->section(1));
  const CFloorHeatingLine miss({2000, 0}, {3000, 0}, nullptr, 1);
  EXPECT_FALSE(square->nearestIntersection(miss, CLoopPoint(), untouched, workTol));
  EXPECT_FALSE(
      square->nearestRayIntersection(XtGeRay2d({2000, 0}, XtGeVector2d(1, 0)), CLoopPoint(), untouched, workTol));
  EXPECT_TRUE(untouched.point.isEqualTo({7, 7}) && untouched.links().size() == 1);

  const auto inner = polygonLoop({{100, 100}, {900, 100}, {900, 900}, {100, 900}});
  EXPECT_EQ(classifyPointInLoops({square.get(), inner.get()}, {2000, 2000}, workTol), CLoop::kOutside);
  EXPECT_EQ(classifyPointInLoops({square.get(), inner.get()}, {500, 500}, workTol), CLoop::kInside);
  EXPECT_EQ(classifyPointInLoops({inner.get(), square.get()}, {500, 0}, workTol), CLoop::kOnLoop);
  EXPECT_EQ(classifyPointInLoops({square.get(), inner.get()}, {100, 500}, workTol), CLoop::kInside)
      << "on the later loop, but inside the first";
  EXPECT_EQ(classifyPointInLoops({}, {0, 0}, workTol), CLoop::kOutside);
}

TEST_F(OffsetLoopQueries, MidSideVerticesMergeToFour) {
  const auto loop = polygonLoop({{0, 500}, {0, 0}, {500, 0}, {1000, 0}, {1000, 400}, {1000, 1000}, {0, 1000}});
  mergeCollinearSections(*loop);
  ASSERT_EQ(loop->sectionCount(), 4);
  EXPECT_TRUE(isLoopClosed(*loop));
  EXPECT_TRUE(loop->section(3)->endPoint().isEqualTo({0, 0}, workTol)) << "the last absorbed the first";
  const auto bent = polygonLoop({{0, 0}, {500, 0}, {1000, 10}, {1000, 1000}});
  mergeCollinearSections(*bent);
  EXPECT_EQ(bent->sectionCount(), 4) << "1.1 degrees off is not the same way";
  // A sliver of 2.3 micrometres between two lines that run the same way
  // goes with them (a spiral's pipe along it came out as two pieces meeting
  // end to end across a piece of no length); at a corner it stays.
  for (const double far : {0.0, 5e6}) {
    const auto sliver = polygonLoop({{far, far},
                                     {far + 500, far},
                                     {far + 500.002, far + 0.0012},
                                     {far + 1000, far + 0.0012},
                                     {far + 1000, far + 1000},
                                     {far, far + 1000}});
    mergeCollinearSections(*sliver);
    EXPECT_EQ(sliver->sectionCount(), 4) << far;
    EXPECT_TRUE(isLoopClosed(*sliver)) << far;
    const auto corner = polygonLoop({{far, far}, {far + 1000, far}, {far + 1000.002, far + 0.0012},
                                     {far + 1000.002, far + 1000}, {far, far + 1000}});
    mergeCollinearSections(*corner);
    EXPECT_EQ(corner->sectionCount(), 5) << far;
  }
}

TEST_F(OffsetLoopQueries, SmallLoopServices) {
  auto square = polygonLoop({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
  COffsetSection* s0 = square->section(0);
  COffsetSection* s1 = square->section(1);
  XtGePoint2dArray corners;
  EXPECT_TRUE(loopCornersOnCurve(*square, CFloorHeatingLine({-10, 0}, {2000, 0}, nullptr, 1), corners, workTol));
  EXPECT_EQ(corners.length(), 4);
  double at = -1.0;
  EXPECT_TRUE(loopPositionOfPoint(*square, {1000, 500}, at, workTol));
  EXPECT_NEAR(at, 1500.0, 1e-9);
  EXPECT_TRUE(loopPositionOfPoint(*square, {0, 0}, at, workTol) && at == 0.0);
  EXPECT_FALSE(loopPositionOfPoint(*square, {500, 500}, at, workTol));
  const CLoopPoint onBottom(XtGePoint2d(250, 0), s0);
  EXPECT_NEAR(lengthToSectionEnd(onBottom, true, workTol), 750.0, 1e-9);
  EXPECT_NEAR(lengthToSectionEnd(onBottom, false, workTol), 250.0, 1e-9);

  CLoopPoint first, second;
  ASSERT_TRUE(sectionEndPoints(*square, s1, false, first, second));
  EXPECT_TRUE(first.point.isEqualTo({1000, 1000}) && first.hasLink(s1) && first.hasLink(square->section(2)));
  EXPECT_TRUE(second.point.isEqualTo({1000, 0}) && second.hasLink(s0));
  EXPECT_FALSE(sectionEndPoints(*square, nullptr, true, first, second));

  const auto crossing = polygonLoop({{500, -100}, {3000, -100}, {3000, 500}, {500, 500}});
  const auto apart = polygonLoop({{5000, 0}, {6000, 0}, {6000, 100}});
  EXPECT_EQ(longerOfCrossingLoops(square.get(), crossing.get()), crossing.get());
  EXPECT_EQ(longerOfCrossingLoops(square.get(), apart.get()), nullptr);
  EXPECT_TRUE(areDisjoint(square->elements, crossing->elements));
  EXPECT_FALSE(areDisjoint(square->elements, std::vector<CLoopElement*>{s1}));

  XtGePoint2d p;
  EXPECT_TRUE(closestPointOnPieces(*s0->curve, {XtGeInterval(0.0, 0.2), XtGeInterval(0.6, 1.0)}, {500, 100}, p));
  EXPECT_TRUE(p.isEqualTo({600, 0}, workTol));
  EXPECT_FALSE(closestPointOnPieces(*s0->curve, {}, {500, 100}, p));
  XtGeVector2d n;
  EXPECT_TRUE(curveNormalAt(*s1->curve, {1000, 300}, n, workTol) && n.isEqualTo(XtGeVector2d(-1, 0)));
  EXPECT_TRUE(isPerpendicularFoot(*s0->curve, XtGeVector2d(1, 0), {500, 300}, p, workTol) &&
              p.isEqualTo({500, 0}, workTol));
  EXPECT_FALSE(isPerpendicularFoot(*s0->curve, XtGeVector2d(1, 1), {500, 300}, p, workTol));

  // The bottom moved a spacing towards the centre meets the left side first.
  CLoopPoint hit;
  EXPECT_TRUE(shiftedCurveHit(*square, *s0->curve, 200.0, false, hit, workTol));
  EXPECT_TRUE(hit.point.isEqualTo({0, 200}, workTol) && hit.hasLink(square->section(3)));
  EXPECT_FALSE(shiftedCurveHit(*square, *s0->curve, 200.0, true, hit, workTol));

  std::vector<COffsetPoint> line;
  for (int i = 0; i < 10; ++i) line.emplace_back(XtGePoint2d(i, 0), nullptr);
  double d = 0.0;
  EXPECT_TRUE(nearestFarSample(line, 0, d, 2) && d == 3.0);
  EXPECT_FALSE(nearestFarSample(line, 0, d, 5));
  square->section(3)->curve->setEndPoints({0, 1000}, {0, 10});
  EXPECT_FALSE(isLoopClosed(*square));
}

// The mean width (area over half the length) of shapes whose values are
// known: a rectangle, a 3-4-5 triangle (its inradius), a half disc (a
// half circle's area followed to within 1 %), each either way round and
// far from the origin; a loop of no length has none.
TEST_F(OffsetLoopQueries, MeanWidthOfKnownShapes) {
  for (const double shift : {0.0, 5e6}) {
    auto rectangle = polygonLoop(graph_test::movedBy({{0, 0}, {400, 0}, {400, 200}, {0, 200}}, shift));
    EXPECT_NEAR(loopMeanWidth(*rectangle, workTol), 80000.0 / 600.0, 1e-6);
    auto reversed = polygonLoop(graph_test::movedBy({{0, 200}, {400, 200}, {400, 0}, {0, 0}}, shift));
    EXPECT_NEAR(loopMeanWidth(*reversed, workTol), 80000.0 / 600.0, 1e-6);
    auto triangle = polygonLoop(graph_test::movedBy({{0, 0}, {400, 0}, {0, 300}}, shift));
    EXPECT_NEAR(loopMeanWidth(*triangle, workTol), 100.0, 1e-6);

    const double r = 500.0;
    const XtGePoint2d c(shift + 1000.0, shift - 300.0);
    COffsetLoop half;
    half.appendSection(makeSection(std::make_unique<CFloorHeatingLine>(c + XtGeVector2d(-r, 0), c + XtGeVector2d(r, 0),
                                                                        nullptr, 2)));
    half.appendSection(makeSection(
        std::make_unique<CFloorHeatingArc>(XtGeCircArc2d(c + XtGeVector2d(r, 0), c + XtGeVector2d(-r, 0), 1.0), nullptr,
                                           2)));
    const double exact = std::numbers::pi * r / (2.0 + std::numbers::pi);
    EXPECT_NEAR(loopMeanWidth(half, workTol), exact, 0.01 * exact);
    EXPECT_LT(loopMeanWidth(half, workTol), exact);
  }
  COffsetLoop empty;
  EXPECT_EQ(loopMeanWidth(empty, workTol), 0.0);
}

}  // namespace
