// Where a pipe curve crosses a zone's boundary: each point with its parameter
// on that curve. The reading back of a drawn design orders the zones of a
// circuit along the supply pipe by these records. Owned by the zone entry,
// replaced on every computation; command's thread only.
#pragma once

#include "heating/curves/CFHZoneBoundary.h"

#include <vector>

struct CFHZoneCrossings {
  std::vector<CFHZoneCrossing> points;  // in the order found
  bool sorted = false;                  // points sorted by ascending parameter
};

// Sorts the record by parameter once (then marks it sorted) and answers its
// smallest parameter, or the largest double when it is empty.
double zoneOrderKey(CFHZoneCrossings& crossings);
