// The bound block of the curves an entity copy holds: the curve of a curve
// kind, the outline of a SOLID (geometry/curveBoundBlock.h measures them).
// Host thread only.
#pragma once

#include "host/entities/ltEnt2D.h"
#include "platform/ge/XtGeBoundBlock2d.h"

// Sets the block to the bound block of the copy's curve. Answers 7, block
// untouched, for a copy without one (a point, a text, the catch-all), 6 when
// the curve cannot be measured, else 0.
int curvesBoundExtents(const ltEnt2D& entity, XtGeBoundBlock2d& block);
