// The turning angle between two directions of the zone code.
#pragma once

#include "platform/ge/XtGeVector2d.h"

// The angle, counter-clockwise about +Z in [0, 2*pi), that turns a onto b
// when `fromFirst` is set, else b onto a. 0 when either vector is zero.
double angleBetweenVectors(const XtGeVector2d& a, const XtGeVector2d& b, bool fromFirst);
