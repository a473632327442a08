// The pipe network's outline, its queries and the working geometry of the
// distribution pipes, on the manifolds and pipes people draw.
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHPipeNetwork.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "tests/heating/design/DesignTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using curve_test::Step;
using zone_test::ZoneTest;

struct OutlineCase {
  const char* name;
  const char16_t* item;
  std::vector<XtGePoint2d> points;
  std::size_t segments;
  bool usable;
  XtGePoint2d label, from, to;
};

TEST_F(ZoneTest, OutlineLabelAndConnectionLine) {
  const OutlineCase cases[] = {
      {"lying", u"TOT0000-0023", {{0, 0}, {600, 0}, {600, 100}, {0, 100}}, 4, true, {0, 50}, {0, 50}, {600, 50}},
      {"standing", u"TOT0000-0023", {{0, 0}, {0, 600}, {-100, 600}, {-100, 0}}, 4, true, {-100, 300}, {-50, 600},
       {-50, 0}},
      {"six points", u"TOT0000-0023", {{0, 0}, {800, 0}, {800, 100}, {600, 100}, {200, 100}, {0, 100}}, 6, true,
       {0, 50}, {0, 50}, {800, 50}},
      {"with inner segment", u"tot0000-0001", {{0, 0}, {800, 0}, {800, 100}, {600, 100}, {200, 100}, {0, 100}}, 7,
       true, {0, 50}, {0, 50}, {800, 50}},
      {"inner segment missing", u"TOT0000-0001", {{0, 0}, {600, 0}, {600, 100}, {0, 100}}, 4, false, {0, 50},
       {0, 50}, {600, 50}},
      {"two points", u"TOT0000-0023", {{0, 0}, {600, 0}}, 1, false, {0, 0}, {0, 0}, {300, 0}},
  };
  for (const OutlineCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFHModel model;
    CFHPipeNetwork& network = model.pipeNetwork();
    network.itemId = c.item;
    network.outlineSource = c.points;
    for (const XtGeVector2d shift : {XtGeVector2d(0, 0), XtGeVector2d(1e7, -1e7)}) {
      for (XtGePoint2d& p : network.outlineSource) p += shift;
      EXPECT_EQ(network.distributorOutline(), c.usable);
      EXPECT_EQ(network.outlineSegments.size(), c.segments);
      EXPECT_EQ(network.labelPoint, c.label + shift);
      ASSERT_NE(network.connectionLine(), nullptr);
      EXPECT_EQ(network.connectionLine()->tag(), CFHPipeNetwork::kConnectionLineTag);
      if (c.segments >= 4) {
        EXPECT_EQ(network.connectionLine()->startPoint(), c.from + shift);
        EXPECT_EQ(network.connectionLine()->endPoint(), c.to + shift);
      }
      for (XtGePoint2d& p : network.outlineSource) p -= shift;
    }
  }
  // The extra segment of "TOT0000-0001" runs from the third point to the sixth.
  CFHModel model;
  model.pipeNetwork().itemId = u"TOT0000-0001";
  model.pipeNetwork().outlineSource = cases[2].points;
  model.pipeNetwork().distributorOutline();
  EXPECT_EQ(model.pipeNetwork().outlineSegments.back().startPoint(), XtGePoint2d(800, 100));
  EXPECT_EQ(model.pipeNetwork().outlineSegments.back().endPoint(), XtGePoint2d(0, 100));
}

TEST_F(ZoneTest, OutlineQueries) {
  CFHModel model;
  CFHPipeNetwork& network = model.pipeNetwork();
  XtGePoint2d point;
  CFloorHeatingLine pipe(XtGePoint2d(300, 400), XtGePoint2d(300, 150), nullptr, 16);
  EXPECT_FALSE(network.closestOutlinePoint(pipe, point));
  EXPECT_TRUE(network.isNotNearer(XtGePoint2d(0, 0), XtGePoint2d(1, 1)));
  network.outlineSource = {{0, 0}, {600, 0}, {600, 100}, {0, 100}};
  ASSERT_TRUE(network.distributorOutline());

  XtGePoint2d onPipe;
  ASSERT_TRUE(network.closestOutlinePoint(pipe, point, &onPipe));
  EXPECT_EQ(point, XtGePoint2d(300, 100));
  EXPECT_EQ(onPipe, XtGePoint2d(300, 150));
  EXPECT_TRUE(network.isNotNearer(XtGePoint2d(300, 150), XtGePoint2d(300, 180)));
  EXPECT_FALSE(network.isNotNearer(XtGePoint2d(300, 180), XtGePoint2d(300, 150)));

  // A pipe that leaves the manifold's top: its own meeting with segment 2,
  // else the segment's point nearest to its end; midpoint mode across.
  CFloorHeatingLine leaving(XtGePoint2d(200, 50), XtGePoint2d(200, 400), nullptr, 16);
  ASSERT_TRUE(outlineConnectionPoint(leaving, network.outlineSegments, false, true, 2, point));
  EXPECT_EQ(point, XtGePoint2d(200, 100));
  ASSERT_TRUE(outlineConnectionPoint(pipe, network.outlineSegments, false, false, 2, point));
  EXPECT_EQ(point, XtGePoint2d(300, 100));
  ASSERT_TRUE(outlineConnectionPoint(pipe, network.outlineSegments, true, true, 0, point));
  EXPECT_EQ(point, XtGePoint2d(300, 50));
  EXPECT_FALSE(outlineConnectionPoint(pipe, network.outlineSegments, false, true, 4, point));
  CFloorHeatingLine beside(XtGePoint2d(700, 0), XtGePoint2d(700, 400), nullptr, 16);
  EXPECT_FALSE(outlineConnectionPoint(beside, network.outlineSegments, true, true, 0, point));
}

std::unique_ptr<CFloorHeatingLine> pipe(XtGePoint2d a, XtGePoint2d b) {
  return std::make_unique<CFloorHeatingLine>(a, b, nullptr, 16);
}

TEST_F(ZoneTest, WorkingGeometryChainsPipesDrawnEndToStart) {
  CFHModel model;
  CFHPipeNetwork& network = model.pipeNetwork();
  // Three pieces, the last given first; then a piece drawn backwards, alone.
  network.addPipe(pipe({2000, 0}, {2000, 1000}));
  network.addPipe(pipe({0, 0}, {1000, 0}));
  network.addPipe(pipe({5000, 0}, {4000, 0}));
  network.addPipe(pipe({1000, 0}, {2000, 0}));
  network.addPipe(pipe({5000, 500}, {5000, 0}));
  network.addPipe(pipe({3000, 1000}, {3000, 0}));
  const CFloorHeatingCurve* alone = network.pipeCurves()[5];
  network.buildWorkingGeometry();

  const std::vector<CFloorHeatingCurve*>& list = network.pipeCurves();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]->tag(), CFHPipeNetwork::kPipeChainTag);
  EXPECT_EQ(list[0]->kind(), CFloorHeatingCurve::kPolyline);
  EXPECT_EQ(list[0]->startPoint(), XtGePoint2d(0, 0));
  EXPECT_EQ(list[0]->endPoint(), XtGePoint2d(2000, 1000));
  EXPECT_NEAR(list[0]->length(), 3000.0, 1e-9);
  EXPECT_EQ(list[1]->startPoint(), XtGePoint2d(5000, 500));
  EXPECT_EQ(list[1]->endPoint(), XtGePoint2d(4000, 0));
  EXPECT_EQ(list[2], alone);
  EXPECT_EQ(model.stateBits(), 0u);
}

TEST_F(ZoneTest, WorkingGeometryDropsOpenPolylinesThatDoubleBack) {
  CFHModel model;
  CFHPipeNetwork& network = model.pipeNetwork();
  network.addPipe(zone_test::outline({0, 0}, {Step{{1000, 0}}, Step{{400, 0}}, Step{{400, 800}}}));
  // Closed within the manifold tolerance: it stays, doubled back or not.
  network.addPipe(zone_test::outline({0, 2000}, {Step{{1000, 2000}}, Step{{1000, 3000}}, Step{{500, 3000}},
                                                  Step{{500, 2000}}, Step{{10, 2000}}}));
  // A run of segments along one line is thinned to one piece.
  network.addPipe(zone_test::outline({0, 5000}, {Step{{100, 5000}}, Step{{300, 5000}}, Step{{900, 5000}}}));
  network.buildWorkingGeometry();
  ASSERT_EQ(network.pipeCurves().size(), 2u);
  EXPECT_EQ(network.pipeCurves()[0]->startPoint(), XtGePoint2d(0, 2000));
  const auto* thinned = static_cast<const CFloorHeatingPolyLine*>(network.pipeCurves()[1]);
  EXPECT_EQ(thinned->composite().numCurves(), 1);
  EXPECT_EQ(thinned->endPoint(), XtGePoint2d(900, 5000));
  EXPECT_EQ(model.stateBits(), 0u);  // a dropped pipe raises no state bit
}

TEST_F(ZoneTest, ZonesOrderAlongAPipeByTheirFirstCrossing) {
  CFHModel model;
  auto zoneAt = [&](std::uint32_t number, double x0) {
    CFHZoneEntry* zone = model.addZone(number);
    auto boundary = std::make_unique<CFHZoneBoundary>();
    boundary->addBoundaryCurve(zone_test::outline(
        {x0, -500}, {Step{{x0 + 1000, -500}}, Step{{x0 + 1000, 500}}, Step{{x0, 500}}, Step{{x0, -500}}}));
    boundary->prepareLoop(true);
    boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
    zone->design()->setBoundary(std::move(boundary));
    return zone;
  };
  // The pipe runs from x = 0 to 10000: zone A is crossed at 0.6 and 0.7,
  // zone B at 0.2 and 0.3, zone C not at all, and zone D has no boundary.
  CFHZoneEntry* a = zoneAt(1, 6000);
  CFHZoneEntry* b = zoneAt(2, 2000);
  CFHZoneEntry* c = zoneAt(3, 20000);
  CFHZoneEntry* d = model.addZone(4);
  // Each zone's right side comes first in its loop, not its first crossing.
  const auto supply = zone_test::outline({0, 0}, {Step{{5000, 0}}, Step{{10000, 0}}});
  std::vector<CFHZoneEntry*> zones{d, c, a, b};
  for (CFHZoneEntry* zone : zones) zone->setCrossingPoints(*supply);
  EXPECT_EQ(a->crossings().points.size(), 2u);
  EXPECT_TRUE(d->crossings().points.empty());
  std::stable_sort(zones.begin(), zones.end(), [](CFHZoneEntry* x, CFHZoneEntry* y) { return zoneCrossingLess(*x, *y); });
  EXPECT_EQ(zones, (std::vector<CFHZoneEntry*>{b, a, d, c}));
  // Sorted once: the key is the smaller of the zone's two parameters.
  const std::vector<CFHZoneCrossing>& ofA = a->crossings().points;
  EXPECT_LT(ofA[0].param, ofA[1].param);
  EXPECT_EQ(zoneOrderKey(a->crossings()), ofA[0].param);
  EXPECT_TRUE(a->crossings().sorted);
  EXPECT_EQ(zoneOrderKey(c->crossings()), std::numeric_limits<double>::max());
}

}  // namespace
