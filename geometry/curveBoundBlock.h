// Axis-aligned bound blocks of curves: the extents the drawing entities
// answer, the pre-check of their region operations and the bound block of a
// block reference. Every member either sets the block (extend false) or
// widens it (extend true); the block is always kept as a box.
//
// Circular arcs are measured exactly (their ends and the axis points of the
// circle on them, workTol); every other curve kind has its own orthogonal
// bound block. Nothing keeps state or throws.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

// Dispatches by kind to the members below; any other kind (lines and rays
// too, whose blocks reach infinity) gives its orthogonal bound block. A
// composite without pieces also falls back to its own orthogonal block.
// Always true.
bool curveBoundBlock(const XtGeCurve2d& curve, XtGeBoundBlock2d& block, bool extend);

// Start and end point, plus each of the points centre + (0, r), (0, -r),
// (r, 0), (-r, 0) that lies on the arc (workTol).
bool arcBoundBlock(const XtGeCircArc2d& arc, XtGeBoundBlock2d& block, bool extend);

// The elliptical arc's own orthogonal bound block.
bool ellipArcBoundBlock(const XtGeEllipArc2d& arc, XtGeBoundBlock2d& block, bool extend);

// Start and end point.
bool lineSegBoundBlock(const XtGeLineSeg2d& segment, XtGeBoundBlock2d& block, bool extend);

// Each piece by curveBoundBlock, the first with the caller's flag, the
// others widening. False, block untouched, for a composite without pieces.
bool compositeBoundBlock(const XtGeCompositeCurve2d& composite, XtGeBoundBlock2d& block, bool extend);

// The box of a single point (the extents of a point entity).
void pointBoundBlock(const XtGePoint2d& point, XtGeBoundBlock2d& block, bool extend);

// The block of every curve of the list: the first curve sets it, the others
// widen it. False for an empty list or a null entry (the block then holds
// what the curves before it gave).
bool curveListBoundBlock(const curvePtrArray& curves, XtGeBoundBlock2d& block);
