// What the calculation and circuit-path tests share: a millimetre drawing's
// tolerances, zones given boundaries from the layout tests' outlines, and a
// zone laid out the way the zone design lays it out (a meander over the
// offset levels, display types 0, 1 and 2).
#pragma once

#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/layout/COffsetBuilder.h"
#include "heating/layout/LayoutTolerances.h"
#include "heating/layout/OffsetLevelSource.h"

#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/VariantValue.h"

#include "tests/heating/curves/ZoneTestSupport.h"
#include "tests/heating/layout/ZoneFixtures.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace circuit_test {

// A millimetre drawing: command, zone and layout tolerances.
class CircuitTest : public testing::Test {
 protected:
  CircuitTest() { setLayoutTolerances(); }
  ~CircuitTest() override { setLayoutTolerances(); }

 private:
  zone_test::ZoneTolerances tolerances_{1000};
};

// The zone's boundary from the outline: the as-drawn loop prepared, copied
// into the working loop and prepared again; offsets from the layout's levels.
inline void giveBoundary(CFHZoneEntry& zone, const zone_fixture::Zone& outline) {
  auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
  for (const auto& curve : outline.curves) boundary->addBoundaryCurve(curve->extendedCopyAt(curve->midPoint()));
  boundary->prepareLoop(true);
  boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
  boundary->prepareLoop(false);
  zone.design()->setBoundary(std::move(boundary));
}

// The working item nearest to the point.
inline CFHBoundLoopItem* nearestItem(const CFHZoneBoundary& boundary, const XtGePoint2d& point) {
  CFHBoundLoopItem* best = nullptr;
  double nearest = std::numeric_limits<double>::max();
  for (int i = 0; i < boundary.workingLoop.itemCount(); ++i) {
    CFHBoundLoopItem* item = boundary.workingLoop.item(i);
    if (item->curve->distanceTo(point) < nearest) {
      nearest = item->curve->distanceTo(point);
      best = item;
    }
  }
  return best;
}

// A layout of the zone at first offset R × u with the design's spacing,
// pointing to the zone's boundary and to the given pipe ends, with the offset
// levels built (no bands) and the meander laid along the base item.
inline std::unique_ptr<CFHCircuitLayout> meanderLayout(CFHZoneEntry& zone, CFHPipeEnd* start, CFHPipeEnd* end,
                                                       const XtGePoint2d& basePoint) {
  CFHZoneDesign& design = *zone.design();
  const double d0 = variantValueToDouble(zone.calc.borderR) * zone.model()->unitFactor();
  auto layout = std::make_unique<CFHCircuitLayout>(d0, design.spacing(), start->point.distanceTo(end->point));
  layout->boundary = design.boundary();
  layout->startEnd = start;
  layout->endEnd = end;
  layout->layoutType = CFHCircuitLayout::kMeander;
  layout->baseItem = nearestItem(*design.boundary(), basePoint);
  std::vector<CFloorHeatingCurve*> curves;
  design.boundary()->copyItems(curves, false);
  COffsetBuilder(curves, d0, design.spacing()).buildLoops(layout->levels);
  layout->markAllSegments();
  layout->layoutMeander();
  return layout;
}

// Lays the zone out as its design would with a meander along the item
// nearest `basePoint`: display type 0 the meander in the main layout; 1 the
// connection run in the main layout and the meander in a second one; other
// types the levels only in the main layout and the meander in a second one.
// True when the meander was laid.
inline bool layZone(CFHZoneEntry& zone, const XtGePoint2d& basePoint) {
  CFHZoneDesign& design = *zone.design();
  CFHZoneDesign::BusyScope busy(design);
  if (busy.pipeEnd(0) == nullptr || busy.pipeEnd(1) == nullptr) return false;
  if (design.displayType() == 0) {
    auto main = meanderLayout(zone, busy.pipeEnd(0), busy.pipeEnd(1), basePoint);
    const bool laid = main->outcome == LayoutOutcome::kLaid;
    busy.replaceLayouts(std::move(main), nullptr);
    return laid;
  }
  auto startCopy = std::make_unique<CFHPipeEnd>(*busy.pipeEnd(0));
  auto endCopy = std::make_unique<CFHPipeEnd>(*busy.pipeEnd(1));
  auto second = meanderLayout(zone, startCopy.get(), endCopy.get(), basePoint);
  const bool laid = second->outcome == LayoutOutcome::kLaid;
  const double d0 = variantValueToDouble(zone.calc.borderR) * zone.model()->unitFactor();
  const double perpendicular = design.perpendicularDistance();
  const double spacing = design.displayType() == 1 ? perpendicular : design.spacing();
  auto main = std::make_unique<CFHCircuitLayout>(d0, spacing, perpendicular);
  main->boundary = design.boundary();
  main->startEnd = busy.pipeEnd(0);
  main->endEnd = busy.pipeEnd(1);
  main->connectionMode = design.displayType();
  std::vector<CFloorHeatingCurve*> curves;
  design.boundary()->copyItems(curves, false);
  COffsetBuilder(curves, d0, spacing).buildLoops(main->levels);
  main->markAllSegments();
  if (design.displayType() == 1)
    main->layoutConnectionRun();
  else
    main->skipJoin();
  busy.replaceLayouts(std::move(main), std::move(second), std::move(startCopy), std::move(endCopy));
  return laid;
}

}  // namespace circuit_test
