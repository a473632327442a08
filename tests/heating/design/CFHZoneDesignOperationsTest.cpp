// The operations of a zone design on the 4 x 3 m rectangle (u 1000, R 0.02):
// the calculation's areas, the pipe-length estimate, the meander base, the
// border widths of selected sides, the pipe ends in the layouts, and zones
// drawn twice.
#include "heating/layout/CFHCircuitSegment.h"

#include "ZoneDesignTestSupport.h"

namespace {

using zone_design_test::DesignTest;

struct Rectangle {
  Rectangle() {
    zone = zone_design_test::addZone(model, 1, zone_fixture::z1Rectangle());
    for (const XtGePoint2d& p : {XtGePoint2d(2000, 0), XtGePoint2d(4000, 1500), XtGePoint2d(2000, 3000),
                                 XtGePoint2d(0, 1500)})
      ids.push_back(zone_design_test::sideIdNear(design(), p));
  }
  CFHZoneDesign& design() { return *zone->design(); }
  CFHModel model;
  CFHZoneEntry* zone = nullptr;
  std::vector<std::uint32_t> ids;  // bottom, right, top, left
};

TEST_F(DesignTest, AreasOfTheZoneAndItsBorderOffset) {
  Rectangle r;
  r.design().updateCalcAreas(r.zone->calc, false);
  EXPECT_NEAR(r.zone->calc.area, 12.0, 1e-9);
  EXPECT_NEAR(r.zone->calc.reducedArea, 11.7216, 1e-9);
  EXPECT_NEAR(r.zone->calc.perimeter, 13.84, 1e-9);
  EXPECT_NEAR(r.design().areaAtBorder(1000), 11.7216, 1e-9);
  EXPECT_NEAR(r.design().perimeterAtBorder(1000), 13.84, 1e-9);
  // Without a border width SP is the whole area; skipped, OP stays.
  r.zone->calc.setBorderR(emptyValue());
  r.zone->calc.perimeter = 1.0;
  r.design().updateCalcAreas(r.zone->calc, true);
  EXPECT_NEAR(r.zone->calc.reducedArea, 12.0, 1e-9);
  EXPECT_EQ(r.zone->calc.perimeter, 1.0);
}

// p = 13,840 (the boundary offset by R x u), n 4, s 200: nine rings,
// 67,760; with s = 0 only p; with 2ns above p, p + ns. With a layout: the
// length of its segments; nothing while the zone is busy.
TEST_F(DesignTest, PipeLengthEstimate) {
  Rectangle r;
  EXPECT_EQ(r.design().pipeLengthEstimate(), 0.0);  // no main layout
  r.design().setPipeEnd1({2100, 0});
  r.design().setPipeEnd2({1900, 0});
  r.design().setMeanderBaseId(r.ids[0]);
  r.design().design();
  EXPECT_EQ(r.design().pipeLengthEstimate(), 0.0);  // no segments yet
  {
    CFHZoneDesign::BusyScope busy(r.design());
    busy.mainLayout()->segments.push_back(new CFHCircuitSegment(
        nullptr, nullptr, std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, 750), nullptr, 3), 0));
    EXPECT_EQ(r.design().pipeLengthEstimate(), 0.0);
  }
  EXPECT_NEAR(r.design().pipeLengthEstimate(), 750.0, 1e-9);

  r.design().setDisplayType(1);  // no second layout until the next design
  EXPECT_NEAR(r.design().pipeLengthEstimate(), 67760.0, 1e-6);
  r.design().setSpacing(0.0);
  EXPECT_NEAR(r.design().pipeLengthEstimate(), 13840.0, 1e-6);
  r.design().setSpacing(2000.0);
  EXPECT_NEAR(r.design().pipeLengthEstimate(), 13840.0 + 8000.0, 1e-6);
}

TEST_F(DesignTest, MeanderBaseAndTheSidesAlongThePipeEnds) {
  Rectangle r;
  r.design().setCircuitShape(1);
  EXPECT_TRUE(r.design().setMeanderBase(r.ids[2]));  // no pipe end 2: nothing changes
  EXPECT_EQ(r.design().circuitShape(), 1u);
  r.design().setPipeEnd1({2100, 0});
  r.design().setPipeEnd2({1900, 0});
  EXPECT_FALSE(r.design().setMeanderBase(r.ids[2]));  // at pi
  EXPECT_FALSE(r.design().setMeanderBase(9999));
  EXPECT_TRUE(r.design().setMeanderBase(r.ids[1]));  // at pi/2
  EXPECT_EQ(r.design().circuitShape(), 0u);
  EXPECT_EQ(r.design().meanderBaseId(), r.ids[1]);

  // Along pipe end 1 lie the bottom (0), the right (pi/2) and the left side
  // (3 pi/2): only the top is kept.
  r.design().filterEdgesByAngle(r.ids);
  EXPECT_EQ(r.design().selectedEdgeIds(), std::vector<std::uint32_t>{r.ids[2]});

  r.design().setDetailDistance(30.0);
  r.design().setPerimeterDistance(40.0);
  const std::pair<std::uint32_t, double> distances[] = {{0, 30.0}, {1, 40.0}, {2, 0.0}};
  for (const auto& [display, distance] : distances) {
    r.design().setDisplayType(display);
    EXPECT_EQ(r.design().connectionDistance(), distance);
  }
}

TEST_F(DesignTest, BorderWidthsOfSelectedSides) {
  Rectangle r;
  std::vector<double> widths{9.0};
  EXPECT_EQ(r.design().selectedBorderState(widths), 2);
  EXPECT_TRUE(widths.empty());

  // The sides in the order of the as-drawn loop; sides 1 and 3 selected.
  CFHZoneBoundary& boundary = *r.design().boundary();
  std::vector<std::uint32_t> sides;
  for (int i = 0; i < boundary.asDrawnLoop.itemCount(); ++i) sides.push_back(boundary.asDrawnLoop.item(i)->id);
  ASSERT_EQ(sides.size(), 4u);
  const std::uint64_t key = 1000000;  // zone 1
  r.design().selectEdgesByKeys({key + sides[3], key + sides[1], 7});
  EXPECT_EQ(r.design().selectedEdgeIds(), (std::vector<std::uint32_t>{sides[1], sides[3]}));
  std::vector<std::uint64_t> keys{5};
  r.design().selectedEdgeKeys(keys);
  EXPECT_EQ(keys, (std::vector<std::uint64_t>{5, key + sides[1], key + sides[3]}));

  // Side values in side order: 0 then 0.2 agree on 0.2; 0.2 then 0 do not.
  r.design().setBorderWidths({0.0, 0.0, 0.0, 0.2});
  r.design().applyBorderWidths();
  EXPECT_EQ(r.design().selectedBorderState(widths), 0);
  EXPECT_EQ(widths, std::vector<double>{0.2});
  r.design().setBorderWidths({0.0, 0.2, 0.0, 0.0});
  r.design().applyBorderWidths();
  EXPECT_EQ(r.design().selectedBorderState(widths), 1);
  r.design().setBorderWidthOfSelectedEdges(0.3);
  EXPECT_EQ(r.design().selectedBorderState(widths), 0);
  for (int i = 0; i < boundary.workingLoop.itemCount(); ++i) {
    const CFHBoundLoopItem& item = *boundary.workingLoop.item(i);
    EXPECT_EQ(item.value, item.id == int(sides[1]) || item.id == int(sides[3]) ? 0.3 : 0.0);
  }
  r.design().setBorderWidthOfSelectedEdges(-1.0);
  EXPECT_EQ(r.design().selectedBorderState(widths), 3);
}

// New pipe ends and exit points go into both layouts; the second layout's
// own copies are no longer used.
TEST_F(DesignTest, PipeEndsAndExitPointsReachBothLayouts) {
  Rectangle r;
  r.design().setDisplayType(1);
  r.design().setPipeEnd1({2100, 0});
  r.design().setPipeEnd2({1900, 0});
  r.design().setMeanderBaseId(r.ids[0]);
  r.design().design();
  EXPECT_TRUE(r.design().setPipeEnd1({2200, 0}) && r.design().setExitEnd2({0, 100}));
  const CFHZoneDesign::IdleAccess access(r.design());
  for (const CFHCircuitLayout* layout : {access.layoutIfIdle(), access.secondLayoutIfIdle()}) {
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->startEnd, r.design().pipeEnd(0));
    EXPECT_EQ(layout->exitEnd2, r.design().exitEnd(1));
    EXPECT_EQ(layout->startEnd->point, XtGePoint2d(2200, 0));
    EXPECT_EQ(layout->startEnd->flag, 1);
  }
}

TEST_F(DesignTest, ZonesDrawnTwiceAreReportedOncePerGroup) {
  const zone_fixture::Zone rectangle = zone_fixture::z1Rectangle();
  // The rectangle again with an arc for its top side between the same corners.
  const zone_fixture::Zone arched =
      zone_fixture::outline("", {0, 0}, {{{4000, 0}}, {{4000, 3000}}, {{0, 3000}, 0.2}, {{0, 0}}});
  const zone_fixture::Zone other = zone_fixture::z2L();
  const struct {
    std::vector<const zone_fixture::Zone*> zones;
    std::vector<CString> texts;
  } cases[] = {{{&rectangle, &other, &rectangle}, {u"1, 3"}},
               {{&rectangle, &other, &rectangle, &arched}, {u"1, 3, 4"}},
               {{&rectangle, &rectangle, &other, &other}, {u"1, 2", u"3, 4"}},
               {{&rectangle, &other}, {}}};
  for (const auto& c : cases) {
    CFHModel model;
    std::uint32_t number = 1;
    for (const zone_fixture::Zone* zone : c.zones) zone_design_test::addZone(model, number++, *zone);
    std::vector<CString> texts;
    EXPECT_EQ(model.findDuplicateZones(texts), !c.texts.empty());
    EXPECT_EQ(texts, c.texts);
  }
}

}  // namespace
