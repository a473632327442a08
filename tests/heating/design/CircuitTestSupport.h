// What the calculation and circuit-path tests share: a millimetre drawing's
// tolerances, zones given boundaries from the layout tests' outlines and
// laid out as meanders.
#pragma once

#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/VariantValue.h"

#include "tests/heating/curves/ZoneTestSupport.h"
#include "tests/heating/layout/ZoneFixtures.h"

#include <gtest/gtest.h>

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

// The zone's design lays a meander along the working side nearest the
// point. On the command's thread: the setters stop the circuit's job.
inline void chooseMeander(CFHZoneEntry& zone, const XtGePoint2d& basePoint) {
  const CFHBoundLoop& working = zone.design()->boundary()->workingLoop;
  int nearest = 0;
  auto distance = [&](int i) { return working.item(i)->curve->distanceTo(basePoint); };
  for (int i = 1; i < working.itemCount(); ++i)
    if (distance(i) < distance(nearest)) nearest = i;
  zone.design()->setCircuitShape(CFHCircuitLayout::kMeander);
  zone.design()->setMeanderBaseId(static_cast<std::uint32_t>(working.item(nearest)->id));
}

// Lays the zone out; true when its full layout (the main one for display
// type 0, else the second) was laid.
inline bool layZone(CFHZoneEntry& zone) {
  CFHZoneDesign& design = *zone.design();
  design.design();
  const CFHZoneDesign::IdleAccess access(design);
  const CFHCircuitLayout* full = access.fullLayoutIfIdle();
  return full != nullptr && full->outcome == LayoutOutcome::kLaid;
}

}  // namespace circuit_test
