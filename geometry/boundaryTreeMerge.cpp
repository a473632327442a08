// The merging path of the boundary tree: even-odd nesting at any depth and
// union at the top level, and the union of a curve with the nodes of a
// level that it touches or crosses (also used by the cutting path where
// the curve grows the nodes of its level).
#include "geometry/boundaryTree.h"
#include "geometry/boundaryTreeDetail.h"
#include "geometry/curveCopying.h"

using namespace bndDetail;

namespace bndBuilder {

bool bndData::mergingPath(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth) const {
  std::vector<int> relations(level.count());
  for (int i = 0; i < level.count(); ++i) relations[i] = relation(curve, *level[i]->curve);
  // Inside a node the curve changes only what lies below it (in even-odd
  // nesting the part of the curve inside the node is the curve itself).
  for (int i = 0; i < level.count(); ++i)
    if (isInsideRelation(relations[i])) return add_boundary_intersect(level[i]->children, curve, mode, depth + 1, level[i]);
  for (int i = 0; i < level.count(); ++i)
    if (relations[i] == kRelationOn) return mergeEqual(level, i, mode, depth);
  return uniteIntoLevel(level, curve, mode, depth, relations);
}

namespace {

enum class role { rest, enclosed, touching, crossing };

// The outline of a curve merged with nodes it touches or crosses: the outer
// curve and the holes the merged nodes close around.
struct mergedOutline {
  curveOwner outer;
  std::vector<curveOwner> holes;

  // Merges the node's curve in when the union is one region; false (nothing
  // changed) when it is not, such as for curves that touch at a corner.
  bool merge(const XtGeCurve2d& curve, const bndData& data) {
    std::vector<region> united = sortIntoRegions(unionOf(*outer, curve), data);
    if (united.size() != 1) return false;
    // Holes closed before lose what the new curve covers.
    std::vector<curveOwner> kept;
    for (curveOwner& hole : holes) {
      if (data.relation(curve, *hole) == kRelationOutside) {
        kept.push_back(std::move(hole));
        continue;
      }
      for (region& piece : sortIntoRegions(difference(*hole, curve), data)) {
        if (!piece.holes.empty()) reportMerge(kLineBadUnionCurve);
        kept.push_back(std::move(piece.outer));
      }
    }
    for (curveOwner& hole : united[0].holes) kept.push_back(std::move(hole));
    outer = std::move(united[0].outer);
    holes = std::move(kept);
    return true;
  }
};

}  // namespace

bool bndData::uniteIntoLevel(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                             const std::vector<int>& relations) const {
  const bool evenOdd = mode == kBoundaryEvenOdd;
  const int count = level.count();
  std::vector<role> roles(count, role::rest);
  for (int i = 0; i < count; ++i) {
    const int r = relations[i];
    if (r == kRelationCrossing) {
      roles[i] = role::crossing;
    } else if (r == kRelationOutside || r == kRelationOutsideTouching) {
      const int s = relation(*level[i]->curve, curve);
      if (isInsideRelation(s))
        roles[i] = role::enclosed;
      else if (r == kRelationOutsideTouching)
        roles[i] = role::touching;
      else if (s != kRelationOutside)
        reportMerge(kLineBadUnionCurve);
    } else {
      reportMerge(kLineBadUnionCurve);
    }
  }

  // Below a crossed node the part of the curve inside it toggles (even-odd),
  // or the curve merges by the same mode (the holes lose it).
  for (int i = 0; i < count; ++i) {
    if (roles[i] != role::crossing) continue;
    bndNode* node = level[i];
    if (!evenOdd) {
      if (!add_boundary_intersect(node->children, curve, mode, depth + 1, node)) return false;
      continue;
    }
    for (const curveOwner& piece : intersectionOf(curve, *node->curve))
      if (!add_boundary_intersect(node->children, *piece, mode, depth + 1, node)) return false;
  }

  // The outline of the curve with every node it touches or crosses; a node
  // that joins only after others did is tried again (a bounded number of
  // rounds: each round merges one node at least).
  mergedOutline outline{curveOwner(copyCurve2d(&curve)), {}};
  if (!outline.outer) return false;
  std::vector<int> merged;
  std::vector<int> waiting;
  for (int i = 0; i < count; ++i)
    if (roles[i] == role::touching || roles[i] == role::crossing) waiting.push_back(i);
  for (bool progress = true; progress && !waiting.empty();) {
    progress = false;
    for (auto it = waiting.begin(); it != waiting.end();) {
      if (outline.merge(*level[*it]->curve, *this)) {
        merged.push_back(*it);
        it = waiting.erase(it);
        progress = true;
      } else {
        ++it;
      }
    }
  }
  for (int i : waiting)
    if (roles[i] == role::crossing) reportMerge(kLineUnionNotOne);

  // The merged node takes the children of the nodes it merged; in even-odd
  // nesting the nodes the curve encloses become its holes, in a union they
  // are absorbed.
  nodeOwner made = std::make_unique<bndNode>(outline.outer.release());
  for (int i : merged) {
    if (!moveNodes(level[i]->children, made->children)) return false;
    delete takeNode(level, i);
  }
  for (int i = 0; i < count; ++i) {
    if (roles[i] != role::enclosed) continue;
    nodeOwner node(takeNode(level, i));
    if (evenOdd && !appendNode(made->children, std::move(node))) return false;
  }
  // Each hole of the merged outline holds the nodes of the level that lie
  // in it; those touching it from inside then join the region around.
  for (curveOwner& hole : outline.holes) {
    bndLevel holeLevel;
    if (!appendNode(holeLevel, std::make_unique<bndNode>(hole.release()))) return false;
    bndNode* holeNode = holeLevel[0];
    for (int i = 0; i < count; ++i) {
      if (level[i] == nullptr) continue;
      const int r = relation(*level[i]->curve, *holeNode->curve);
      if (isInsideRelation(r)) {
        if (!appendNode(holeNode->children, nodeOwner(takeNode(level, i)))) {
          releaseBoundaryLevel(holeLevel);
          return false;
        }
      } else if (r == kRelationCrossing) {
        reportMerge(kLineAcrossUnionHole);
      }
    }
    const bool joined = absorbTouchingChildren(holeLevel, made->children, mode, depth + 1) &&
                        moveNodes(holeLevel, made->children);
    releaseBoundaryLevel(holeLevel);
    if (!joined) return false;
  }
  return appendNode(level, std::move(made)) && compactLevel(level);
}

}  // namespace bndBuilder
