// An axis-parallel rectangle kept as its minimum and maximum corners, and the
// corner codes of rectangles (1 to 4, opposite corners 1-3 and 2-4).
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

struct cornerRect {
  XtGePoint2d minCorner;
  XtGePoint2d maxCorner;
};

// Moves both corners by `offset` and normalises the rectangle again: the
// minimum corner takes the smaller x and y of the moved corners, the maximum
// corner the larger.
cornerRect rectOffsetBy(const cornerRect& rect, const XtGeVector2d& offset);

// The code of the opposite corner: 1 and 3 swap, 2 and 4 swap; any other
// code is answered unchanged.
int oppositeCorner(int code);
