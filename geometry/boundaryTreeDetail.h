// Pieces shared by the merge, cut and touching passes of the boundary tree:
// moving nodes between levels, region combinations as owned curves, and the
// failure reports of the builder. Only the tree's own sources include it.
#pragma once

#include "geometry/boundaryTree.h"
#include "geometry/regionCombination.h"

#include <memory>
#include <utility>
#include <vector>

namespace bndDetail {

using curveOwner = std::unique_ptr<XtGeCurve2d>;
using nodeOwner = std::unique_ptr<bndNode>;

// The builder's lines in its failure reports.
inline constexpr int kLineBadUnionCurve = 146;     // a node lies against C as it cannot
inline constexpr int kLineUnionNotOne = 328;       // a crossing boundary would not merge
inline constexpr int kLineAcrossUnionHole = 358;   // a node crosses a hole of a merged outline
inline constexpr int kLinePlacement = 861;         // a node crosses the curve being placed

// Reports an unexpected state of a merge (add_boundary_intersect) or of a
// placement (add_boundary_no_intersect); the caller goes on.
void reportMerge(int line);
void reportPlacement(int line);

// Inside, touching or not (relation 2 or 6).
inline bool isInsideRelation(int relation) {
  return relation == kRelationInside || relation == kRelationInsideTouching;
}

// Takes node i out of the level, leaving a null entry (removed by
// compactLevel).
inline bndNode* takeNode(bndLevel& level, int i) { return std::exchange(level[i], nullptr); }

// Drops the null entries of the level. False when memory is out.
bool compactLevel(bndLevel& level);

// Appends the node, which the level then owns; on failure the node is
// deleted and the answer is false.
bool appendNode(bndLevel& level, nodeOwner node);

// Moves every node of `from` to the end of `to`; `from` is left empty.
// False when `to` cannot grow (`from` then keeps its nodes).
bool moveNodes(bndLevel& from, bndLevel& to);

// A node holding a copy of the curve; null when the copy cannot be made.
nodeOwner nodeForCopy(const XtGeCurve2d& curve);

// The closed curves of a combination of the regions of A and B (the
// selectors of combineClosedCurves).
std::vector<curveOwner> combine(const XtGeCurve2d& a, const XtGeCurve2d& b, bool keepA, bool dropB);
inline std::vector<curveOwner> unionOf(const XtGeCurve2d& a, const XtGeCurve2d& b) { return combine(a, b, false, true); }
inline std::vector<curveOwner> intersectionOf(const XtGeCurve2d& a, const XtGeCurve2d& b) { return combine(a, b, true, false); }
inline std::vector<curveOwner> difference(const XtGeCurve2d& minuend, const XtGeCurve2d& subtrahend) {
  return combine(subtrahend, minuend, true, true);
}

// A region of a combination's result: an outer curve and the curves of its
// holes.
struct region {
  curveOwner outer;
  std::vector<curveOwner> holes;
};

// Sorts result curves into regions by nesting: a curve inside an even
// number of the others (relation 2 or 6) bounds a region, one inside an
// odd number is a hole of the innermost region curve around it.
std::vector<region> sortIntoRegions(std::vector<curveOwner> curves, const bndBuilder::bndData& data);

// Adds the holes as new children of the node. False when memory is out.
bool addHoleNodes(bndNode& node, std::vector<curveOwner>& holes);

}  // namespace bndDetail
