// The touching pass of the boundary tree: where the nodes of a level have
// shrunk, a child that touches its node from inside is merged into the
// outline (a hole reaching the region's edge becomes a notch), and a child
// found outside its node leaves it.
#include "geometry/boundaryTree.h"
#include "geometry/boundaryTreeDetail.h"

using namespace bndDetail;

namespace bndBuilder {

namespace {

// Deletes a child that left its node: a hole outside its region (mode 1)
// leaves its islands to the region's level; an island in the solid part
// around its hole (mode 0) goes with its holes, the region covering their
// area.
bool dropChild(nodeOwner child, bndLevel& detached, std::uint32_t mode) {
  return mode != kBoundarySubtract || moveNodes(child->children, detached);
}

}  // namespace

bool bndData::absorbTouchingChildren(bndLevel& nodes, bndLevel& detached, std::uint32_t mode, int depth) const {
  const bool shrinking = (mode == kBoundaryUnion && depth % 2 == 1) || (mode == kBoundarySubtract && depth % 2 == 0);
  if (!shrinking) return true;
  // Every change removes a child for good, so the children of the level
  // bound the number of changes; the budget only guards against a
  // combination that keeps answering new pieces.
  int budget = 4 * (nodes.count() + 8);
  for (const bndNode* node : nodes)
    if (node != nullptr) budget += 4 * node->children.count();

  for (int i = 0; i < nodes.count(); ++i) {
    bndNode* node = nodes[i];
    if (node == nullptr) continue;
    for (int j = 0; j < node->children.count() && budget > 0;) {
      bndNode* child = node->children[j];
      const int r = relation(*child->curve, *node->curve);
      if (r == kRelationOutsideTouching) {
        --budget;
        if (!dropChild(nodeOwner(takeNode(node->children, j)), detached, mode) || !compactLevel(node->children))
          return false;
        j = 0;
        continue;
      }
      if (r != kRelationInsideTouching) {
        ++j;
        continue;
      }
      std::vector<region> pieces = sortIntoRegions(difference(*node->curve, *child->curve), *this);
      // No result, or the child kept as a hole (a touch at isolated points):
      // nothing to merge.
      if (pieces.empty() || (pieces.size() == 1 && !pieces[0].holes.empty())) {
        ++j;
        continue;
      }
      --budget;
      nodeOwner absorbed(takeNode(node->children, j));
      if (!moveNodes(absorbed->children, detached) || !compactLevel(node->children)) return false;
      if (pieces.size() == 1) {
        delete node->curve;
        node->curve = pieces[0].outer.release();
        j = 0;  // the new outline may now touch children met before
        continue;
      }
      // The node falls apart: each piece takes the children lying in it.
      nodeOwner split(takeNode(nodes, i));
      for (region& piece : pieces) {
        nodeOwner made = std::make_unique<bndNode>(piece.outer.release());
        if (!addHoleNodes(*made, piece.holes)) return false;
        for (bndNode*& other : split->children) {
          if (other == nullptr) continue;
          const int s = relation(*other->curve, *made->curve);
          if (s == kRelationOn) {
            // A child filling the piece leaves nothing of it.
            nodeOwner cancelled(std::exchange(other, nullptr));
            if (!moveNodes(cancelled->children, detached)) return false;
            made.reset();
            break;
          }
          if (isInsideRelation(s) && made->children.append(other) >= 0) other = nullptr;
        }
        if (made && !appendNode(nodes, std::move(made))) return false;
      }
      for (bndNode*& other : split->children)
        if (other != nullptr && !dropChild(nodeOwner(std::exchange(other, nullptr)), detached, mode)) return false;
      break;
    }
  }
  return compactLevel(nodes);
}

}  // namespace bndBuilder

bool absorbTouchingChildren(bndLevel& nodes, bndLevel& detached, std::uint32_t mode, int depth) {
  return bndBuilder::bndData().absorbTouchingChildren(nodes, detached, mode, depth);
}
