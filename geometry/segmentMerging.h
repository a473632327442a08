// Fewer pieces for the same shape: merging parallel line segments that touch
// or overlap, merging neighbouring segments of one direction inside a
// composite, and dropping pieces of no length from a composite.
//
// Lists and composites are changed in place by their owner's thread;
// removed curves are deleted. Nothing throws.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

// Merges, in place, line segments of the list that lie on one line and
// touch or overlap: b merges into an earlier a when it is parallel to a
// (workTol's equal vector x 1000, so that long segments drawn a hair apart
// still count), an end of either lies on the other (workTol), and both of
// b's ends lie within workTol of a's line (so that nothing moves by more
// than the tolerance). a becomes the segment along its own direction
// between the outermost of the four ends; b is deleted and removed. Passes
// repeat while segments merge (at most one pass per segment). Other curves
// stay as they are.
void mergeCollinearSegments(curvePtrArray& curves);

// Rebuilds the composite from copies of its simple pieces (nested
// composites flattened) without the pieces of no length (workTol), each
// line segment merged with the following one while both are segments of one
// direction (isCodirectionalTo with tol). The last piece merges with the
// first only when the composite is closed (tol), moving its start to the
// start of the last piece. Answers whether any pieces merged. The composite
// is set again only when something was merged or dropped; when a copy
// cannot be made, it stays unchanged and false is answered.
bool mergeCodirectionalNeighbours(XtGeCompositeCurve2d& composite, const XtGeTol& tol);

// Drops the pieces of no length (removeZeroLengthCurves) from the composite
// and sets its pieces again. Answers the number of pieces dropped.
int removeCompositeZeroLengthPieces(XtGeCompositeCurve2d& composite);
