// The zone set made ready for a meander (the tests and the meander bench): a zone boundary from the outline
// (as-drawn loop prepared, copied to the working loop, prepared again: arcs
// into chords), band values on its items, the pipe ends, the base item (the
// working item nearest the case's base point) and offset levels built over
// the working items with the meander's band limits.
#pragma once

#include "ZoneSet.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetBuilder.h"
#include "heating/layout/LayoutTolerances.h"
#include "heating/layout/MeanderRuns.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"
#include "host/Tolerances.h"

#include <limits>
#include <memory>

namespace meander_test {

// The command, zone and layout tolerances of a unit factor (default
// settings), for the scope's life.
class UnitScope {
 public:
  explicit UnitScope(double unitFactor) : tolerances_(static_cast<int>(unitFactor)) {
    drawingUnitFactor = unitFactor;
    setZoneTolerances(unitFactor, kDefaultZoneBoundsSetting, kDefaultManifoldConnectionSetting);
    setLayoutTolerances();
  }
  ~UnitScope() {
    drawingUnitFactor = saved_;
    zoneBoundsTol = savedZone_;
    manifoldConnectionTol = savedManifold_;
    setLayoutTolerances();
  }

 private:
  GeometryToleranceScope tolerances_;
  double saved_ = drawingUnitFactor;
  XtGeTol savedZone_ = zoneBoundsTol;
  XtGeTol savedManifold_ = manifoldConnectionTol;
};

struct MeanderZone {
  std::unique_ptr<CFHZoneBoundary> boundary = std::make_unique<CFHZoneBoundary>();
  CFHPipeEnd start;
  CFHPipeEnd end;
  std::unique_ptr<CFHCircuitLayout> layout;
};

// The ready zone; for a case whose pipe ends lie on the base chord (Z6 a) the
// case's ends are set from it.
inline std::unique_ptr<MeanderZone> meanderZone(zone_set::ZoneCase& c) {
  auto z = std::make_unique<MeanderZone>();
  for (const auto& curve : c.zone.curves) z->boundary->addBoundaryCurve(curve->extendedCopyAt(curve->midPoint()));
  z->boundary->prepareLoop(true);
  z->boundary->workingLoop.copyFrom(z->boundary->asDrawnLoop);
  z->boundary->prepareLoop(false);
  const CFHBoundLoop& drawn = z->boundary->asDrawnLoop;
  for (int p = 0; p < drawn.elementCount() && !c.zone.limits.empty(); ++p)
    for (std::size_t i = 0; i < c.zone.curves.size(); ++i)
      if (drawn.elements[p]->curve->isOn(c.zone.curves[i]->midPoint())) z->boundary->setItemValue(p, c.zone.limits[i]);

  CFHBoundLoop& working = z->boundary->workingLoop;
  CFHBoundLoopItem* base = nullptr;
  double nearest = std::numeric_limits<double>::max();
  for (CLoopElement* e : working.elements)
    if (e->curve->distanceTo(c.basePoint) < nearest) {
      nearest = e->curve->distanceTo(c.basePoint);
      base = static_cast<CFHBoundLoopItem*>(e);
    }
  if (c.endsOnBaseChord) {
    c.startEnd = base->endPoint();
    c.endEnd = base->startPoint();
  }
  z->start.point = c.startEnd;
  z->end.point = c.endEnd;

  auto& layout = z->layout = std::make_unique<CFHCircuitLayout>(c.firstOffset, c.spacing, 0.0);
  layout->boundary = z->boundary.get();
  layout->startEnd = &z->start;
  layout->endEnd = &z->end;
  layout->baseItem = base;
  layout->layoutType = CFHCircuitLayout::kMeander;

  std::vector<CFloorHeatingCurve*> curves;
  std::vector<double> limits;
  for (const CLoopElement* e : working.elements) {
    const double band = static_cast<const CFHBoundLoopItem*>(e)->value;
    const double a = angleBetweenVectors(base->curve->direction(), e->curve->direction(), true);
    curves.push_back(e->curve);
    limits.push_back(band > 0.0 && isMeanderBandAngle(a) ? band : 0.0);
  }
  COffsetBuilder builder(curves, c.firstOffset, c.spacing);
  builder.setEdgeLimits(&limits);
  builder.buildLoops(layout->levels);
  return z;
}

}  // namespace meander_test
