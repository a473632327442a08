// The zone design on the 4 x 3 m rectangle (u 1000, R 0.02, s 200): the
// meander inside by the border width, the band limits and the border widths
// that reach the levels and the meander, the layouts of each display type and
// shape, missing pipe ends, and a design that throws.
#include "heating/design/ZoneBandLimits.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/LaidPipeLength.h"
#include "heating/layout/OffsetEdgePath.h"

#include "ZoneDesignTestSupport.h"

#include <numbers>
#include <stdexcept>

namespace {

using zone_design_test::DesignTest;

constexpr XtGePoint2d kStart(2100, 0), kEnd(1900, 0);

struct Rectangle {
  Rectangle(std::uint32_t display, std::uint32_t shape, bool withEnds = true) {
    zone = zone_design_test::addZone(model, 1, outline);
    design().setDisplayType(display);
    design().setCircuitShape(shape);
    design().setMeanderBaseId(zone_design_test::sideIdNear(design(), {2000, 0}));
    design().setPipeEnd1(kStart);
    if (withEnds) design().setPipeEnd2(kEnd);
    design().design();
  }
  CFHZoneDesign& design() { return *zone->design(); }
  // Both layouts, whatever the display type (nothing designs meanwhile).
  std::pair<const CFHCircuitLayout*, const CFHCircuitLayout*> layouts() {
    const CFHZoneDesign::BusyScope peek(design());
    return {peek.mainLayout(), peek.secondLayout()};
  }
  CFHModel model;
  zone_fixture::Zone outline = zone_fixture::z1Rectangle();
  CFHZoneEntry* zone = nullptr;
};

TEST_F(DesignTest, MeanderLiesInsideTheRectangleByTheBorderWidth) {
  Rectangle r(0, 0);
  const CFHZoneDesign::IdleAccess access(r.design());
  const CFHCircuitLayout* main = access.layoutIfIdle();
  ASSERT_TRUE(main != nullptr && access.secondLayoutIfIdle() == nullptr);
  EXPECT_EQ(main->outcome, LayoutOutcome::kLaid);
  EXPECT_DOUBLE_EQ(main->firstOffset, 20.0);
  EXPECT_DOUBLE_EQ(main->runDistance, 200.0);  // the pipe ends 200 apart
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(*main);
  ASSERT_TRUE(path.faults.empty()) << path.faults.front();
  const layout_check::Report report =
      layout_check::checkLayout(zone_design_test::checkZone(r.outline, 20, 200, kStart, kEnd), path.pieces, {});
  EXPECT_TRUE(report.sound()) << report.summary();
}

// The rectangle (base the bottom edge, every side a 300 band) and a
// trapezoid whose slanted sides lie at exactly 3 pi/4 and 5 pi/4 from it.
TEST_F(DesignTest, BandLimitsKeepTheSidesAcrossTheBase) {
  const auto loopOf = [](const zone_fixture::Zone& zone) {
    auto loop = std::make_unique<CFHBoundLoop>();
    loop->setFromCurves(zone.raw());
    for (int i = 0; i < loop->itemCount(); ++i) loop->item(i)->value = 300.0;
    return loop;
  };
  using Limits = std::vector<double>;
  const auto rectangle = loopOf(zone_fixture::z1Rectangle());
  EXPECT_EQ(zoneBandLimits(*rectangle, rectangle->item(0), 0), (Limits{0, 300, 0, 300}));
  EXPECT_EQ(zoneBandLimits(*rectangle, nullptr, 0), (Limits{0, 0, 0, 0}));
  EXPECT_EQ(zoneBandLimits(*rectangle, nullptr, 1), (Limits{300, 300, 300, 300}));
  rectangle->item(3)->value = -1.0;
  EXPECT_EQ(zoneBandLimits(*rectangle, rectangle->item(0), 0), (Limits{0, 300, 0, 0}));
  const auto trapezoid = loopOf(zone_fixture::polygon("", {{0, 0}, {4000, 0}, {3000, 1000}, {1000, 1000}}));
  EXPECT_EQ(zoneBandLimits(*trapezoid, trapezoid->item(0), 0), (Limits{0, 0, 0, 0}));
  EXPECT_EQ(zoneBandLimits(*trapezoid, trapezoid->item(0), 1), (Limits{300, 300, 300, 300}));

  constexpr double pi = std::numbers::pi;
  EXPECT_TRUE(runsAlongBoundary(1.6022122533307945) && runsAlongBoundary(4.680973053848792));
  EXPECT_FALSE(runsAlongBoundary(std::nextafter(pi / 2 + pi / 100, 4.0)) ||
               runsAlongBoundary(std::nextafter(3 * pi / 2 - pi / 100, 0.0)));
}

// What each display type and shape lays in the main and the second layout;
// the second layout has its own copies of the pipe ends (LSan: they go with
// it). Without pipe end 2 (a failed link) every layout gets levels only.
TEST_F(DesignTest, LayoutsOfEachDisplayTypeAndShape) {
  constexpr auto kNone = LayoutOutcome::kNotRun;
  const struct {
    std::uint32_t display, shape;
    bool withEnds;
    LayoutOutcome main, second;
  } cases[] = {{1, 0, true, LayoutOutcome::kLaid, LayoutOutcome::kLaid},
               {2, 0, true, LayoutOutcome::kLevelsOnly, LayoutOutcome::kLaid},
               {0, 1, true, LayoutOutcome::kLaid, kNone},
               {2, 1, true, LayoutOutcome::kLevelsOnly, LayoutOutcome::kLaid},
               {0, 2, true, LayoutOutcome::kLevelsOnly, kNone},
               {0, 0, false, LayoutOutcome::kLevelsOnly, kNone},
               {1, 0, false, LayoutOutcome::kLevelsOnly, LayoutOutcome::kLevelsOnly}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "display " << c.display << " shape " << c.shape << " ends " << c.withEnds);
    Rectangle r(c.display, c.shape, c.withEnds);
    r.design().design();
    const auto [main, second] = r.layouts();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->outcome, c.main);
    EXPECT_EQ(main->connectionMode, c.display);
    EXPECT_FALSE(main->levels.empty());
    EXPECT_TRUE(c.withEnds || main->runDistance == 0.0);
    EXPECT_TRUE(c.display != 1 || main->spacing == r.design().perpendicularDistance());
    ASSERT_EQ(second != nullptr, c.second != kNone);
    if (second == nullptr) continue;
    EXPECT_EQ(second->outcome, c.second);
    EXPECT_EQ(second->connectionMode, 0u);
    EXPECT_TRUE(!c.withEnds || (second->startEnd != r.design().pipeEnd(0) && second->startEnd->point == kStart));
  }
  // Both pipe ends at one point: run distance 0.
  Rectangle same(0, 0);
  same.design().setPipeEnd2(kStart);
  same.design().design();
  EXPECT_EQ(same.layouts().first->runDistance, 0.0);
}

// The zone's border widths reach the offset levels and the laid meander:
// 600 on the left wall (across the base) bands it at half spacing, 600 on the
// top (along the base) bands nothing. The second level lies 20 + 100 from the
// left wall and 20 + 200 from the top; the checker passes with the left band
// declared and finds the half spacing without it.
TEST_F(DesignTest, ABorderWidthAcrossTheBaseBandsTheMeander) {
  Rectangle r(0, 0);
  // The widths go by the as-drawn loop's order: 600 for the left and the top wall.
  const CFHBoundLoop& sides = r.design().boundary()->asDrawnLoop;
  std::vector<double> widths;
  for (int i = 0; i < sides.itemCount(); ++i) {
    const XtGePoint2d m = sides.item(i)->curve->midPoint();
    widths.push_back(m.x == 0.0 || m.y == 3000.0 ? 600.0 : 0.0);
  }
  r.design().setBorderWidths(widths);
  r.design().applyBorderWidths();
  r.design().design();
  const CFHZoneDesign::IdleAccess access(r.design());
  ASSERT_TRUE(access.layoutIfIdle() != nullptr && access.layoutIfIdle()->outcome == LayoutOutcome::kLaid);
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(*access.layoutIfIdle());
  ASSERT_TRUE(path.faults.empty()) << path.faults.front();
  ASSERT_GE(access.layoutIfIdle()->levels.size(), 2u);
  double left = 4000.0, top = 0.0;
  for (const CLoopElement* e : access.layoutIfIdle()->levels[1]->front()->elements) {
    left = std::min(left, e->startPoint().x);
    top = std::max(top, e->startPoint().y);
  }
  EXPECT_NEAR(left, 120.0, 1e-6);
  EXPECT_NEAR(top, 2780.0, 1e-6);
  layout_check::Zone zone = zone_design_test::checkZone(r.outline, 20, 200, kStart, kEnd);
  const layout_check::Report unbanded = layout_check::checkLayout(zone, path.pieces, {});
  EXPECT_FALSE(unbanded.spacing.ok);
  EXPECT_LT(unbanded.spacing.at.x, 600.0) << unbanded.spacing.text;
  zone.bands = {{zone.outline[3], 600.0}};
  const layout_check::Report banded = layout_check::checkLayout(zone, path.pieces, {});
  EXPECT_TRUE(banded.sound()) << banded.summary();
}

// A corridor 630 x 5000 entered by its short wall, its pipe ends 100 apart,
// at s 132: at a border of 0.2 a loop fits (a point lies 315 from both long
// walls, more than 200 + 66) and the circuit laid is more than a stub; at
// 0.25, 0.28 and 0.3 none fits, and whatever either shape lays in the
// sliver inside the first offset (once the leads' V with a loop 10 to 50
// wide, drawn with a heat output) is no circuit (warning 9002). The pipe
// beyond the leads is the laid pipe less the two straight leads.
TEST_F(DesignTest, ACorridorWithNoRoomForALoopLaysNoCircuit) {
  for (const std::uint32_t shape : {0u, 1u}) {
    for (const double border : {0.2, 0.25, 0.28, 0.3}) {
      SCOPED_TRACE(testing::Message() << "shape " << shape << " border " << border);
      CFHModel model;
      CFHZoneEntry* zone =
          zone_design_test::addZone(model, 1, zone_fixture::polygon("corridor", {{0, 0}, {630, 0}, {630, 5000}, {0, 5000}}));
      CFHZoneDesign& design = *zone->design();
      design.setDisplayType(0);
      design.setCircuitShape(shape);
      design.setMeanderBaseId(zone_design_test::sideIdNear(design, {315, 0}));
      design.setPipeEnd1({365, 0});
      design.setPipeEnd2({265, 0});
      design.setSpacing(132.0);
      zone->calc.borderR = valueOf(border);
      design.design();
      const CFHZoneDesign::IdleAccess access(design);
      const CFHCircuitLayout* laid = access.layoutIfIdle();
      ASSERT_NE(laid, nullptr);
      const bool fits = border < 0.21;
      EXPECT_EQ(loopFitsZone(*laid), fits);
      if (laid->firstEdge == nullptr) {
        EXPECT_FALSE(fits);
        continue;
      }
      EXPECT_EQ(laysOnlyStub(*laid), !fits);
      CFloorHeatingCurve::PtrVector pieces;
      double leads = 0.0;
      for (const COffsetEdge* lead : {laid->firstEdge, laid->lastEdge}) {
        ASSERT_TRUE(offsetEdgePathAlongLoop(lead, pieces));
        for (const auto& piece : pieces) leads += piece->length();
      }
      EXPECT_NEAR(laidPipeLengthBeyondLeads(*laid), laidPipeLength(*laid) - leads, 1e-6);
    }
  }
}

// Spacings and border widths a zone cannot be laid with as asked end the
// design in every display type without an exception; what is laid (a
// single ring for a spacing of no length, the ring at the wall for an R that
// is not a number, as for an empty one) is one path inside the zone.
TEST_F(DesignTest, UnusableSpacingsAndBorderWidthsEndTheDesign) {
  const struct {
    double spacing, r;
  } cases[] = {{0.0, 0.02},    {-200.0, 0.02}, {NAN, 0.02}, {INFINITY, 0.02}, {1e-300, 0.02},
               {200.0, -0.02}, {200.0, NAN},   {200.0, 2.0}, {200.0, 1e300}};
  for (const auto& c : cases) {
    for (const std::uint32_t display : {0u, 1u, 2u}) {
      SCOPED_TRACE(testing::Message() << "spacing " << c.spacing << " R " << c.r << " display " << display);
      Rectangle r(display, 0);
      r.design().setSpacing(c.spacing);
      r.design().setPerpendicularDistance(c.spacing);
      r.zone->calc.borderR = valueOf(c.r);
      ASSERT_NO_THROW(r.design().design());
      const auto [main, second] = r.layouts();
      ASSERT_NE(main, nullptr);
      for (const CFHCircuitLayout* layout : {main, second}) {
        if (layout == nullptr || layout->outcome != LayoutOutcome::kLaid) continue;
        const layout_check::GraphPath path = layout_check::walkLayoutGraph(*layout);
        EXPECT_TRUE(path.faults.empty()) << path.faults.front();
        for (const layout_check::Piece& piece : path.pieces)
          EXPECT_TRUE(piece.start.x >= 0 && piece.start.x <= 4000 && piece.start.y >= 0 && piece.start.y <= 3000);
      }
    }
  }
}

// A side whose direction cannot be had: the design throws out of the band
// limits and leaves the zone idle, without layouts.
struct ThrowingLine : CFloorHeatingLine {
  using CFloorHeatingLine::CFloorHeatingLine;
  XtGeVector2d direction() const override { throw std::runtime_error("no direction"); }
};

TEST_F(DesignTest, AThrowingStepLeavesTheZoneIdle) {
  Rectangle r(0, 0);
  r.design().boundary()->workingLoop.append(
      std::make_unique<ThrowingLine>(XtGePoint2d(0, 0), XtGePoint2d(0, 1), nullptr, 1));
  EXPECT_THROW(r.design().design(), std::runtime_error);
  EXPECT_FALSE(r.design().isBusy());
  EXPECT_EQ(r.layouts().first, nullptr);
}

}  // namespace
