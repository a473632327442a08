// Angles between 2D vectors measured in a turning sense.
#pragma once

#include "platform/ge/XtGeVector2d.h"

// The angle in [0, 2*pi) that turns a onto b, both lifted to z = 0,
// measured counter-clockwise about +Z, or about -Z (clockwise seen from
// above) when aboutNegativeZ is set. 0 when either vector is zero.
double signedAngle3d(const XtGeVector2d& a, const XtGeVector2d& b, bool aboutNegativeZ);
