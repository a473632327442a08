// The cutting path of the boundary tree: subtraction at every depth and
// union below the top level. Each level either grows by the curve (holes of
// a subtraction, islands of a union; the curve then joins the level when it
// lies inside the parent) or shrinks by it (regions of a subtraction, holes
// of a union). A level that would grow by a curve reaching out of its
// parent shrinks instead: the parent level cuts itself by the curve next,
// and what the nodes kept outside the curve then touches the parent and is
// taken up by the touching pass.
#include "geometry/boundaryTree.h"
#include "geometry/boundaryTreeDetail.h"

using namespace bndDetail;

namespace bndBuilder {

bool bndData::cuttingPath(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                          bndNode* parent) const {
  std::vector<int> relations(level.count());
  for (int i = 0; i < level.count(); ++i) relations[i] = relation(curve, *level[i]->curve);

  const bool shrinks = ((mode ^ static_cast<std::uint32_t>(depth)) & 1u) != 0;
  if (!shrinks && parent != nullptr && relation(curve, *parent->curve) == kRelationInside) {
    for (int i = 0; i < level.count(); ++i)
      if (isInsideRelation(relations[i]))
        return add_boundary_intersect(level[i]->children, curve, mode, depth + 1, level[i]);
    for (int i = 0; i < level.count(); ++i)
      if (relations[i] == kRelationOn) return mergeEqual(level, i, mode, depth);
    return uniteIntoLevel(level, curve, mode, depth, relations);
  }

  for (int i = 0; i < level.count(); ++i)
    if (relations[i] == kRelationInside)
      return add_boundary_intersect(level[i]->children, curve, mode, depth + 1, level[i]);
  for (int i = 0; i < level.count(); ++i)
    if (relations[i] == kRelationOn) {
      delete takeNode(level, i);  // the node's whole area goes
      return compactLevel(level);
    }

  bndLevel changed;
  const auto keepChanged = [&](nodeOwner node) {
    if (appendNode(changed, std::move(node))) return true;
    releaseBoundaryLevel(changed);
    return false;
  };
  for (int i = 0; i < level.count(); ++i) {
    const int r = relations[i];
    if (r == kRelationOutside || r == kRelationOutsideTouching) {
      if (isInsideRelation(relation(*level[i]->curve, curve))) delete takeNode(level, i);
      continue;
    }
    if (r != kRelationInsideTouching && r != kRelationCrossing) continue;
    bndNode* node = level[i];
    if (!add_boundary_intersect(node->children, curve, mode, depth + 1, node)) {
      releaseBoundaryLevel(changed);
      return false;
    }
    std::vector<region> pieces = sortIntoRegions(difference(*node->curve, curve), *this);
    nodeOwner cut(takeNode(level, i));
    if (pieces.size() == 1) {
      delete cut->curve;
      cut->curve = pieces[0].outer.release();
      if (!addHoleNodes(*cut, pieces[0].holes) || !keepChanged(std::move(cut))) return false;
      continue;
    }
    // Several pieces share the node's children by where they lie; none
    // (the node lay within the curve) drops the node.
    bndLevel made;
    for (region& piece : pieces) {
      nodeOwner pieceNode = std::make_unique<bndNode>(piece.outer.release());
      if (!addHoleNodes(*pieceNode, piece.holes) || !appendNode(made, std::move(pieceNode))) {
        releaseBoundaryLevel(made);
        releaseBoundaryLevel(changed);
        return false;
      }
    }
    for (bndNode*& child : cut->children)
      for (bndNode* piece : made)
        if (isInsideRelation(relation(*child->curve, *piece->curve))) {
          if (piece->children.append(child) >= 0) child = nullptr;
          break;
        }
    const bool moved = moveNodes(made, changed);
    releaseBoundaryLevel(made);
    if (!moved) {
      releaseBoundaryLevel(changed);
      return false;
    }
  }
  const bool joined = absorbTouchingChildren(changed, level, mode, depth) && moveNodes(changed, level);
  releaseBoundaryLevel(changed);
  return joined && compactLevel(level);
}

}  // namespace bndBuilder
