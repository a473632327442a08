// Small tests on composites and curve lists.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

// True for a composite without pieces, or a closed one (XtGeContext::gTol)
// made of exactly two line segments (a back-and-forth loop).
bool isDegenerateLoop(const XtGeCompositeCurve2d& composite);

// True when the entity type of every curve of the list, and of every piece
// of every composite in it (nested ones too), is one of `types` (a list
// ended by -1). Null entries are skipped.
bool areCurveTypesAllowed(const curvePtrArray& curves, const int* types);

// True when both values of the pair are usable as indices into n elements:
// 0 <= value < n.
bool isIndexPairInRange(const double pair[2], int n);
