// Reading and reshaping whole boundary trees (boundaryTree.h): collecting
// their curves, clipping a tree to a closed curve, the lengths of its
// curves and moving it by a matrix.
//
// Tolerances: clipping intersects with combineClosedCurves and adds with
// the builder (workTol); lengths use the calling thread's
// XtGeContext::gTol. One thread works on one tree; nothing throws.
#pragma once

#include "geometry/boundaryTree.h"
#include "platform/ge/XtGeMatrix2d.h"

#include <cstdint>

// Appends the curves of the nodes `depth` levels below the level (0: the
// level's own nodes), in order, with one flag each: copies owned by the list
// (flag 1) when `copy` is set, else the tree's own curves, borrowed (flag 0).
// A curve that cannot be copied is left out.
void collectBoundaryCurves(const bndLevel& level, curvePtrArray& curves, curveFlagArray& flags, int depth,
                           bool copy);

// The same for every curve of the tree, in pre-order (a node, then its
// children).
void collectAllBoundaryCurves(const bndLevel& level, curvePtrArray& curves, curveFlagArray& flags, bool copy);

// Clips the source tree to the region of the closed clip curve into a new
// tree: 3 for an open clip (workTol), else the answer of
// buildBoundariesFromCurves. On 0 outRoot holds the new tree (what it held
// before is released); otherwise it is unchanged.
std::uint32_t buildBoundaryTree(const bndLevel& sourceRoot, const XtGeCurve2d& clip, bndLevel& outRoot);

// Adds the parts of the level's curves inside the clip to outRoot, regions
// by union and holes by subtraction (mode `depth` & 1), then those of the
// children of the clipped nodes one depth further, down to the deepest
// level. The first answer of boundBuilderAddBoundary other than 0 is
// answered (outRoot then holds what was added so far); 0 when all were
// added.
std::uint32_t buildBoundariesFromCurves(bndLevel& outRoot, const bndLevel& level, const XtGeCurve2d& clip,
                                        int depth);

// Adds to total the length of every node's curve over its interval (gTol),
// and unless topLevelOnly those of all their descendants. At depth 0 total
// starts from 0. Always true.
bool sumCurveLengths(double& total, const bndLevel& nodes, int depth, bool topLevelOnly);

// The length of all curves of the tree into total; answers 0.
std::uint32_t curveListLengthCheckOpen(const bndLevel& nodes, double& total);

// Transforms every curve of the tree (transformCurveDeep). All or nothing:
// when one curve cannot follow the matrix (an arc under a non-uniform
// scale) or a copy cannot be made, the tree is unchanged and the answer is
// false.
bool transformBoundaryTree(bndLevel& level, const XtGeMatrix2d& matrix);
