#include "heating/design/zones/MeanderBaseDefault.h"

#include "heating/design/zones/CFHZoneDesign.h"

bool chooseDefaultMeanderBase(CFHZoneDesign& design) {
  const CFHZoneBoundary* boundary = design.boundary();
  if (boundary == nullptr) return false;
  const CFHBoundLoop& loop = boundary->workingLoop;
  if (loop.itemById(static_cast<int>(design.meanderBaseId())) != nullptr) return false;
  const CFHPipeEnd* entry = design.pipeEnd(1) != nullptr ? design.pipeEnd(1) : design.pipeEnd(0);
  if (entry == nullptr || loop.itemCount() == 0) return false;
  int nearest = 0;
  for (int i = 1; i < loop.itemCount(); ++i)
    if (loop.item(i)->curve->distanceTo(entry->point) < loop.item(nearest)->curve->distanceTo(entry->point))
      nearest = i;
  design.setMeanderBaseId(static_cast<std::uint32_t>(loop.item(nearest)->id));
  return true;
}
