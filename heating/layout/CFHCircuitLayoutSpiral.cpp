// The spiral layout step. Its path finding is not part of the engine yet: the
// step reports that no spiral was built, so that a caller (the meander on a
// zone with one level, the zone design) falls back cleanly.
#include "heating/layout/CFHCircuitLayout.h"

bool CFHCircuitLayout::layoutSpiral() {
  outcome = LayoutOutcome::kSpiralNotBuilt;
  return false;
}
