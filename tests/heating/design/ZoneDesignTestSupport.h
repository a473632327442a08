// What the zone design, routing and numbering tests share: the tolerances of
// a millimetre drawing, zones of a model made from outlines as the design
// command makes them, three routed rooms, and the laid pipe of a layout for
// the layout checker.
#pragma once

#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "tests/heating/curves/ZoneTestSupport.h"
#include "tests/heating/layout/LayoutCheckAdapters.h"
#include "tests/heating/layout/ZoneFixtures.h"

#include <gtest/gtest.h>

namespace zone_design_test {

// The command, zone and layout tolerances of a drawing of u units per metre.
class UnitScope {
 public:
  explicit UnitScope(int u) : zone_(u) { setLayoutTolerances(); }
  ~UnitScope() { setLayoutTolerances(); }

 private:
  zone_test::ZoneTolerances zone_;
};

class DesignTest : public testing::Test {
  UnitScope units_{1000};
};

// A zone of the model with the outline's boundary: the as-drawn loop
// prepared and copied into the working loop, which is prepared too unless
// prepareWorking is false (the command prepares it when it applies the pipes).
inline CFHZoneEntry* addZone(CFHModel& model, std::uint32_t number, const zone_fixture::Zone& outline,
                             bool prepareWorking = true) {
  CFHZoneEntry* zone = model.addZone(number);
  auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
  for (const auto& curve : outline.curves) boundary->addBoundaryCurve(cloneBoundaryCurve(*curve));
  boundary->prepareLoop(true);
  boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
  if (prepareWorking) boundary->prepareLoop(false);
  zone->design()->setBoundary(std::move(boundary));
  return zone;
}

// Three rooms routed beside the manifold outline (0,0)-(600,100), in work
// coordinates: the pipes at x 100 and 500 (pitch 200) feed zone 1 (circuit
// 1) and zone 2 (circuit 2); zone 3 has no pipe. True when routed.
inline bool routeThreeRooms(CFHModel& model) {
  const auto box = [](double x0, double y0, double x1, double y1) {
    return zone_fixture::polygon("", {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
  };
  CFHPipeNetwork& network = model.pipeNetwork();
  network.outlineSource = {{0, 0}, {600, 0}, {600, 100}, {0, 100}};
  network.distributorOutline();
  network.pipePitch = 200;
  for (const double x : {100.0, 500.0})
    network.addPipe(std::make_unique<CFloorHeatingLine>(XtGePoint2d(x, 100), XtGePoint2d(x, 1000), nullptr, 13));
  addZone(model, 1, box(-2000, 1000, 250, 3000), false);
  addZone(model, 2, box(350, 1000, 3000, 3000), false);
  addZone(model, 3, box(-2000, 4000, 0, 6000), false);
  return network.route() == CFHPipeNetwork::kRouted;
}

// The working item nearest the point (its id), for the meander base.
inline std::uint32_t sideIdNear(const CFHZoneDesign& design, const XtGePoint2d& p) {
  const CFHBoundLoop& loop = design.boundary()->workingLoop;
  int best = 0;
  for (int i = 1; i < loop.itemCount(); ++i)
    if (loop.item(i)->curve->distanceTo(p) < loop.item(best)->curve->distanceTo(p)) best = i;
  return static_cast<std::uint32_t>(loop.item(best)->id);
}

// The layout checker's zone of an outline.
inline layout_check::Zone checkZone(const zone_fixture::Zone& outline, double d0, double s, const XtGePoint2d& start,
                                    const XtGePoint2d& end) {
  layout_check::Zone zone;
  zone.outline = layout_check::piecesOf(outline.raw());
  zone.d0 = d0;
  zone.s = s;
  zone.start = start;
  zone.end = end;
  return zone;
}

}  // namespace zone_design_test
