// The zone design on the 4 x 3 m rectangle (u 1000, R 0.02, s 200): the
// meander laid inside by the border width, the band limits, the second
// layout of display types 1 and 2, the runs that lay levels only, and a
// design that throws.
#include "heating/design/ZoneBandLimits.h"

#include "heating/layout/COffsetLoop.h"

#include "ZoneDesignTestSupport.h"

#include <numbers>
#include <stdexcept>

namespace {

using zone_design_test::DesignTest;

constexpr XtGePoint2d kStart(2100, 0), kEnd(1900, 0);

struct Rectangle {
  explicit Rectangle(std::uint32_t display = 0, std::uint32_t shape = 0) {
    zone = zone_design_test::addZone(model, 1, outline);
    design().setDisplayType(display);
    design().setCircuitShape(shape);
    design().setMeanderBaseId(zone_design_test::sideIdNear(design(), {2000, 0}));
    design().setPipeEnd1(kStart);
    design().setPipeEnd2(kEnd);
  }
  CFHZoneDesign& design() { return *zone->design(); }
  CFHModel model;
  zone_fixture::Zone outline = zone_fixture::z1Rectangle();
  CFHZoneEntry* zone = nullptr;
};

// What a reader sees of the layouts once the design is idle.
struct Seen {
  explicit Seen(const CFHZoneDesign& design) {
    const CFHZoneDesign::IdleAccess access(design);
    idle = access.idle();
    main = access.layoutIfIdle();
    second = access.secondLayoutIfIdle();
  }
  bool idle = false;
  const CFHCircuitLayout* main = nullptr;
  const CFHCircuitLayout* second = nullptr;
};

TEST_F(DesignTest, MeanderLiesInsideTheRectangleByTheBorderWidth) {
  Rectangle r;
  r.design().design();
  const Seen seen(r.design());
  ASSERT_TRUE(seen.idle && seen.main != nullptr);
  EXPECT_EQ(seen.second, nullptr);
  EXPECT_EQ(seen.main->outcome, LayoutOutcome::kLaid);
  EXPECT_DOUBLE_EQ(seen.main->firstOffset, 20.0);
  EXPECT_DOUBLE_EQ(seen.main->runDistance, 200.0);  // the pipe ends 200 apart
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(*seen.main);
  ASSERT_TRUE(path.faults.empty()) << path.faults.front();
  const layout_check::Report report =
      layout_check::checkLayout(zone_design_test::checkZone(r.outline, 20, 200, kStart, kEnd), path.pieces, {});
  EXPECT_TRUE(report.sound()) << report.summary();
  // A second design replaces the layouts.
  r.design().design();
  EXPECT_NE(Seen(r.design()).main, nullptr);
}

// Band limits on the counter-clockwise rectangle, base the bottom edge, every
// side with a 300 band; a trapezoid whose slanted sides lie at exactly 3 pi/4
// and 5 pi/4 from the base.
TEST_F(DesignTest, BandLimitsKeepTheSidesAcrossTheBase) {
  const auto loopOf = [](const zone_fixture::Zone& zone) {
    auto loop = std::make_unique<CFHBoundLoop>();
    loop->setFromCurves(zone.raw());
    for (int i = 0; i < loop->itemCount(); ++i) loop->item(i)->value = 300.0;
    return loop;
  };
  const auto rectangle = loopOf(zone_fixture::z1Rectangle());
  const CFHBoundLoopItem* bottom = rectangle->item(0);
  EXPECT_EQ(zoneBandLimits(*rectangle, bottom, 0), (std::vector<double>{0, 300, 0, 300}));
  EXPECT_EQ(zoneBandLimits(*rectangle, nullptr, 0), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(zoneBandLimits(*rectangle, nullptr, 1), (std::vector<double>{300, 300, 300, 300}));
  rectangle->item(1)->value = 0.0;
  rectangle->item(3)->value = -1.0;
  EXPECT_EQ(zoneBandLimits(*rectangle, bottom, 0), (std::vector<double>{0, 0, 0, 0}));

  const auto trapezoid = loopOf(zone_fixture::polygon("", {{0, 0}, {4000, 0}, {3000, 1000}, {1000, 1000}}));
  EXPECT_EQ(zoneBandLimits(*trapezoid, trapezoid->item(0), 0), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(zoneBandLimits(*trapezoid, trapezoid->item(0), 1), (std::vector<double>{300, 300, 300, 300}));

  constexpr double pi = std::numbers::pi;
  EXPECT_TRUE(runsAlongBoundary(1.6022122533307945) && runsAlongBoundary(4.680973053848792));
  EXPECT_FALSE(runsAlongBoundary(std::nextafter(pi / 2 + pi / 100, 4.0)) ||
               runsAlongBoundary(std::nextafter(3 * pi / 2 - pi / 100, 0.0)));
}

// Display types 1 and 2 lay the full meander in a second layout (connection
// mode 0, its own copies of the pipe ends); the main layout carries the run
// along the first loop (1) or levels only (2). Shape 2 lays nothing; without
// pipe ends only levels are built, with run distance 0.
TEST_F(DesignTest, DisplayTypesShapesAndMissingPipeEnds) {
  for (const std::uint32_t display : {1u, 2u}) {
    SCOPED_TRACE(display);
    Rectangle r(display);
    r.design().design();
    r.design().design();  // the copies of the first design go with it (LSan)
    const CFHZoneDesign::IdleAccess access(r.design());
    const CFHCircuitLayout* second = access.secondLayoutIfIdle();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->connectionMode, 0u);
    EXPECT_EQ(second->outcome, LayoutOutcome::kLaid);
    EXPECT_NE(second->startEnd, r.design().pipeEnd(0));
    EXPECT_EQ(second->startEnd->point, kStart);
    const CFHCircuitLayout* main = access.layoutIfIdle();
    if (display == 1) {
      ASSERT_NE(main, nullptr);
      EXPECT_EQ(main->connectionMode, 1u);
      EXPECT_EQ(main->spacing, r.design().perpendicularDistance());
      EXPECT_NE(main->outcome, LayoutOutcome::kLevelsOnly);
    } else {
      EXPECT_EQ(main, nullptr);  // display 2: nothing for the readers of the main layout
    }
  }

  Rectangle shape2(0, 2);
  shape2.design().design();
  const Seen levelsOnly(shape2.design());
  ASSERT_NE(levelsOnly.main, nullptr);
  EXPECT_FALSE(levelsOnly.main->levels.empty());
  EXPECT_EQ(levelsOnly.main->outcome, LayoutOutcome::kLevelsOnly);
  EXPECT_TRUE(levelsOnly.main->edges.empty());

  for (const std::uint32_t display : {0u, 1u}) {
    CFHModel model;
    CFHZoneDesign& design = *zone_design_test::addZone(model, 1, zone_fixture::z1Rectangle())->design();
    design.setDisplayType(display);
    design.setPipeEnd1(kStart);  // no pipe end 2: a failed link
    design.design();
    const CFHZoneDesign::IdleAccess access(design);
    for (const CFHCircuitLayout* layout : {access.layoutIfIdle(), access.secondLayoutIfIdle()}) {
      if (layout == nullptr) continue;
      EXPECT_EQ(layout->runDistance, 0.0);
      EXPECT_FALSE(layout->levels.empty());
      EXPECT_EQ(layout->outcome, LayoutOutcome::kLevelsOnly);
    }
  }

  // Both pipe ends at one point: run distance 0.
  Rectangle same;
  same.design().setPipeEnd2(kStart);
  same.design().design();
  EXPECT_EQ(Seen(same.design()).main->runDistance, 0.0);
}

// A side whose direction cannot be had: the design throws out of the band
// limits and leaves the zone idle, without layouts.
struct ThrowingLine : CFloorHeatingLine {
  using CFloorHeatingLine::CFloorHeatingLine;
  XtGeVector2d direction() const override { throw std::runtime_error("no direction"); }
};

TEST_F(DesignTest, AThrowingStepLeavesTheZoneIdle) {
  Rectangle r;
  r.design().design();
  r.design().boundary()->workingLoop.append(
      std::make_unique<ThrowingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, 1), nullptr, 1));
  EXPECT_THROW(r.design().design(), std::runtime_error);
  EXPECT_FALSE(r.design().isBusy());
  EXPECT_EQ(Seen(r.design()).main, nullptr);
}

}  // namespace
