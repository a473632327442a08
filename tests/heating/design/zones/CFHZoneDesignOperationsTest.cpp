// The operations of a zone design on the 4 x 3 m rectangle (u 1000, R 0.02):
// the calculation's areas, the pipe-length estimate, the meander base, the
// border widths of selected sides, the pipe ends in the layouts, and zones
// drawn twice.
#include "heating/layout/record/CFHCircuitSegment.h"

#include "ZoneDesignTestSupport.h"

namespace {

using zone_design_test::DesignTest;

struct Rectangle {
  Rectangle() : zone(zone_design_test::addZone(model, 1, zone_fixture::z1Rectangle())) {
    for (const XtGePoint2d& p : {XtGePoint2d(2000, 0), XtGePoint2d(4000, 1500), XtGePoint2d(2000, 3000)})
      ids.push_back(zone_design_test::sideIdNear(design(), p));
  }
  CFHZoneDesign& design() { return *zone->design(); }
  void withPipeEnds() {
    design().setPipeEnd1({2100, 0});
    design().setPipeEnd2({1900, 0});
    design().setMeanderBaseId(ids[0]);
  }
  CFHModel model;
  CFHZoneEntry* zone;
  std::vector<std::uint32_t> ids;  // bottom, right, top
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
  r.design().updateCalcAreas(r.zone->calc, true);
  EXPECT_NEAR(r.zone->calc.reducedArea, 12.0, 1e-9);
  EXPECT_NEAR(r.zone->calc.perimeter, 13.84, 1e-9);
}

// With a layout: the length of its segments, nothing while the zone is busy.
// Without the second layout of display type 1: p = 13,840 (the boundary
// offset by R x u), n 4, s 200: nine rings, 67,760; s = 0: p; 2ns above p:
// p + ns.
TEST_F(DesignTest, PipeLengthEstimate) {
  Rectangle r;
  EXPECT_EQ(r.design().pipeLengthEstimate(), 0.0);  // no main layout
  r.withPipeEnds();
  r.design().design();
  {
    CFHZoneDesign::BusyScope busy(r.design());
    busy.mainLayout()->segments.push_back(new CFHCircuitSegment(
        nullptr, nullptr, std::make_unique<CFloorHeatingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, 750), nullptr, 3), 0));
    EXPECT_EQ(r.design().pipeLengthEstimate(), 0.0);
  }
  EXPECT_NEAR(r.design().pipeLengthEstimate(), 750.0, 1e-9);
  r.design().setDisplayType(1);
  for (const auto& [spacing, length] : {std::pair{200.0, 67760.0}, {0.0, 13840.0}, {2000.0, 21840.0}}) {
    r.design().setSpacing(spacing);
    EXPECT_NEAR(r.design().pipeLengthEstimate(), length, 1e-6) << spacing;
  }
}

TEST_F(DesignTest, MeanderBaseAndTheSidesAlongThePipeEnds) {
  Rectangle r;
  r.design().setCircuitShape(1);
  EXPECT_TRUE(r.design().setMeanderBase(r.ids[2]));  // no pipe end 2: nothing changes
  EXPECT_EQ(r.design().circuitShape(), 1u);
  r.withPipeEnds();
  EXPECT_FALSE(r.design().setMeanderBase(r.ids[2]) || r.design().setMeanderBase(9999));  // at pi; no side
  EXPECT_TRUE(r.design().setMeanderBase(r.ids[1]));                                        // at pi/2
  EXPECT_EQ(r.design().circuitShape(), 0u);
  EXPECT_EQ(r.design().meanderBaseId(), r.ids[1]);
  // Along pipe end 1 lie the bottom (0) and the right side (pi/2).
  r.design().filterEdgesByAngle(r.ids);
  EXPECT_EQ(r.design().selectedEdgeIds(), std::vector<std::uint32_t>{r.ids[2]});

  r.design().setDetailDistance(30.0);
  r.design().setPerimeterDistance(40.0);
  for (const auto& [display, distance] : {std::pair{0u, 30.0}, {1u, 40.0}, {2u, 0.0}}) {
    r.design().setDisplayType(display);
    EXPECT_EQ(r.design().connectionDistance(), distance);
  }
}

TEST_F(DesignTest, BorderWidthsOfSelectedSides) {
  Rectangle r;
  std::vector<double> widths{9.0};
  EXPECT_EQ(r.design().selectedBorderState(widths), 2);
  EXPECT_TRUE(widths.empty());
  // Sides 1 and 3 of the as-drawn loop selected by their keys (zone 1).
  CFHZoneBoundary& boundary = *r.design().boundary();
  const std::uint32_t side1 = boundary.asDrawnLoop.item(1)->id, side3 = boundary.asDrawnLoop.item(3)->id;
  r.design().selectEdgesByKeys({1000000u + side3, 1000000u + side1, 7});
  std::vector<std::uint64_t> keys{5};
  r.design().selectedEdgeKeys(keys);
  EXPECT_EQ(keys, (std::vector<std::uint64_t>{5, 1000000u + side1, 1000000u + side3}));

  // The widths of the sides in order: 0 then 0.2 agree on 0.2; 0.2 then 0 do not.
  for (const auto& [array, state] : {std::pair{std::vector<double>{0, 0, 0, 0.2}, 0}, {{0, 0.2, 0, 0}, 1}}) {
    r.design().setBorderWidths(array);
    r.design().applyBorderWidths();
    EXPECT_EQ(r.design().selectedBorderState(widths), state);
    EXPECT_EQ(widths, std::vector<double>{0.2});
  }
  r.design().setBorderWidthOfSelectedEdges(0.3);
  EXPECT_EQ(r.design().selectedBorderState(widths), 0);
  for (int i = 0; i < boundary.workingLoop.itemCount(); ++i) {
    const CFHBoundLoopItem& item = *boundary.workingLoop.item(i);
    EXPECT_EQ(item.value, item.id == int(side1) || item.id == int(side3) ? 0.3 : 0.0);
  }
  r.design().setBorderWidthOfSelectedEdges(-1.0);
  EXPECT_EQ(r.design().selectedBorderState(widths), 3);
}

// New pipe ends and exit points go into both layouts, not into the second
// layout's own copies.
TEST_F(DesignTest, PipeEndsAndExitPointsReachBothLayouts) {
  Rectangle r;
  r.design().setDisplayType(1);
  r.withPipeEnds();
  r.design().design();
  EXPECT_TRUE(r.design().setPipeEnd1({2200, 0}) && r.design().setExitEnd2({0, 100}));
  const CFHZoneDesign::IdleAccess access(r.design());
  for (const CFHCircuitLayout* layout : {access.layoutIfIdle(), access.secondLayoutIfIdle()}) {
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->startEnd, r.design().pipeEnd(0));
    EXPECT_EQ(layout->exitEnd2, r.design().exitEnd(1));
    EXPECT_TRUE(layout->startEnd->point == XtGePoint2d(2200, 0) && layout->startEnd->flag == 1);
  }
}

TEST_F(DesignTest, ZonesDrawnTwiceAreReportedOncePerGroup) {
  const zone_fixture::Zone rectangle = zone_fixture::z1Rectangle(), other = zone_fixture::z2L();
  // The rectangle with an arc for its top side between the same corners.
  const zone_fixture::Zone arched =
      zone_fixture::outline("", {0, 0}, {{{4000, 0}}, {{4000, 3000}}, {{0, 3000}, 0.2}, {{0, 0}}});
  const std::pair<std::vector<const zone_fixture::Zone*>, std::vector<CString>> cases[] = {
      {{&rectangle, &other, &rectangle}, {u"1, 3"}},
      {{&rectangle, &other, &rectangle, &arched}, {u"1, 3, 4"}},
      {{&rectangle, &rectangle, &other, &other}, {u"1, 2", u"3, 4"}},
      {{&rectangle, &other}, {}}};
  for (const auto& [zones, expected] : cases) {
    CFHModel model;
    for (const zone_fixture::Zone* zone : zones) zone_design_test::addZone(model, model.zones().size() + 1, *zone);
    std::vector<CString> texts;
    EXPECT_EQ(model.findDuplicateZones(texts), !expected.empty());
    EXPECT_EQ(texts, expected);
  }
}

}  // namespace
