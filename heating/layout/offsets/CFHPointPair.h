// A record of two points, kept by the layout in vectors of owning pointers
// and freed with deletePointPairsAndClear (DeleteAndClear.h). It owns
// nothing; both points start at the origin.
#pragma once

#include "platform/ge/XtGePoint2d.h"

struct CFHPointPair {
  XtGePoint2d first;
  XtGePoint2d second;
};
