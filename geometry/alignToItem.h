// Turning and placing a block description so that one of its placed points
// faces a given direction.
#pragma once

#include "geometry/blockDescRec.h"

#include <cstdint>

// The placed point whose kind is `id` gives the direction d0: its X axis
// under the record's transform, turned round. The record's direction turns
// by the angle from d0 to `direction` (both measured from +X), and its
// insertion point becomes `position`. Nothing changes when no placed point
// has that kind, or when d0 or `direction` is zero or not finite. Offered by
// the library; the heating module does not call it.
void alignToItem(blockDescRec& record, std::int16_t id, const XtGeVector2d& direction, const XtGePoint2d& position);
