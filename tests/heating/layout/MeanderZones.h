// The zone set made ready for a meander or a spiral (tests and benches): a zone
// boundary from the outline (as-drawn loop prepared, copied to the working
// loop, prepared again: arcs into chords), band values on its items, the pipe
// ends, the base item (the working item nearest the case's base point) and
// offset levels over the working items with the layout's band limits.
#pragma once

#include "ZoneSet.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/meander/MeanderRuns.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"
#include "host/Tolerances.h"

#include <limits>
#include <memory>

namespace meander_test {

// The command, zone and layout tolerances of a unit factor, for the scope.
class UnitScope {
 public:
  explicit UnitScope(double u) : tolerances_(static_cast<int>(u)) {
    drawingUnitFactor = u;
    setZoneTolerances(u, kDefaultZoneBoundsSetting, kDefaultManifoldConnectionSetting);
    setLayoutTolerances();
  }
  ~UnitScope() {
    drawingUnitFactor = saved_;
    std::tie(zoneBoundsTol, manifoldConnectionTol) = std::tie(savedZone_, savedManifold_);
    setLayoutTolerances();
  }

 private:
  GeometryToleranceScope tolerances_;
  double saved_ = drawingUnitFactor;
  XtGeTol savedZone_ = zoneBoundsTol, savedManifold_ = manifoldConnectionTol;
};

struct MeanderZone {
  CFHZoneBoundary boundary;
  CFHPipeEnd start, end;
  std::unique_ptr<CFHCircuitLayout> layout;
};

// The ready zone for the layout type (meander or spiral, whose band limits
// differ as in the zone design: a meander's bands only across its base); a
// case whose pipe ends lie on the base chord (Z6 a) gets them set from it.
inline std::unique_ptr<MeanderZone> layoutZone(zone_set::ZoneCase& c, std::uint32_t layoutType) {
  auto z = std::make_unique<MeanderZone>();
  CFHZoneBoundary& b = z->boundary;
  for (const auto& curve : c.zone.curves) b.addBoundaryCurve(curve->extendedCopyAt(curve->midPoint()));
  b.prepareLoop(true);
  b.workingLoop.copyFrom(b.asDrawnLoop);
  b.prepareLoop(false);
  // The host's split of arcs into chords of 0.4 unit factor (the tests run
  // without a host, whose unit factor the boundary asks for).
  b.workingLoop.splitArcs(0.4 * c.unitFactor);
  for (int p = 0; p < b.asDrawnLoop.elementCount() && !c.zone.limits.empty(); ++p)
    for (std::size_t i = 0; i < c.zone.curves.size(); ++i)
      if (b.asDrawnLoop.elements[p]->curve->isOn(c.zone.curves[i]->midPoint())) b.setItemValue(p, c.zone.limits[i]);

  CFHBoundLoopItem* base = nullptr;
  double nearest = std::numeric_limits<double>::max();
  for (CLoopElement* e : b.workingLoop.elements)
    if (e->curve->distanceTo(c.basePoint) < nearest) {
      nearest = e->curve->distanceTo(c.basePoint);
      base = static_cast<CFHBoundLoopItem*>(e);
    }
  if (c.endsOnBaseChord) std::tie(c.startEnd, c.endEnd) = std::tie(base->endPoint(), base->startPoint());
  z->start.point = c.startEnd;
  z->end.point = c.endEnd;
  CFHCircuitLayout& layout = *(z->layout = std::make_unique<CFHCircuitLayout>(c.firstOffset, c.spacing, 0.0));
  layout.boundary = &b;
  layout.startEnd = &z->start;
  layout.endEnd = &z->end;
  layout.baseItem = base;
  layout.layoutType = layoutType;

  std::vector<CFloorHeatingCurve*> curves;
  std::vector<double> limits;
  for (const CLoopElement* e : b.workingLoop.elements) {
    const double band = static_cast<const CFHBoundLoopItem*>(e)->value;
    curves.push_back(e->curve);
    const bool across = layoutType != CFHCircuitLayout::kMeander ||
                        isMeanderBandAngle(angleBetweenVectors(base->curve->direction(), e->curve->direction(), true));
    limits.push_back(band > 0.0 && across ? band : 0.0);
  }
  COffsetBuilder builder(curves, c.firstOffset, c.spacing);
  builder.setEdgeLimits(&limits);
  builder.buildLoops(layout.levels);
  return z;
}

inline std::unique_ptr<MeanderZone> meanderZone(zone_set::ZoneCase& c) {
  return layoutZone(c, CFHCircuitLayout::kMeander);
}

}  // namespace meander_test
