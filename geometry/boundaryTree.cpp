#include "geometry/boundaryTree.h"

#include "geometry/Tolerances.h"
#include "geometry/boundaryTreeDetail.h"
#include "geometry/curveCopying.h"
#include "geometry/hvArrayEdit.h"
#include "geometry/regionCombination.h"
#include "geometry/reportAssertion.h"
#include "ui/gdi/releaseGdiItemArray.h"

#include <algorithm>

using namespace bndDetail;

bndNode::~bndNode() {
  releaseBoundaryLevel(children);
  delete curve;
}

void releaseBoundaryLevel(bndLevel& level) { releaseGdiItemArray(level); }

bool copyBoundaryLevel(const bndLevel& level, bndLevel& copy) {
  releaseBoundaryLevel(copy);
  // Level by level through a list of pending (source, target) pairs, so that
  // deep trees do not deepen the stack.
  std::vector<std::pair<const bndLevel*, bndLevel*>> pending{{&level, &copy}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    for (const bndNode* node : *from) {
      if (node == nullptr) continue;
      nodeOwner made = std::make_unique<bndNode>(copyCurve2d(node->curve));
      bndNode* raw = made.get();
      if ((node->curve != nullptr && raw->curve == nullptr) || !appendNode(*to, std::move(made))) {
        releaseBoundaryLevel(copy);
        return false;
      }
      pending.emplace_back(&node->children, &raw->children);
    }
  }
  return true;
}

namespace bndDetail {

void reportMerge(int line) {
  HV_REPORT_ASSERTION(u"boundBuilder", line, u"bndBuilder::bndData::add_boundary_intersect");
}

void reportPlacement(int line) {
  HV_REPORT_ASSERTION(u"boundBuilder", line, u"bndBuilder::bndData::add_boundary_no_intersect");
}

bool compactLevel(bndLevel& level) {
  return hvArrayKeepIf(level, [](const bndNode* node) { return node != nullptr; });
}

bool appendNode(bndLevel& level, nodeOwner node) {
  if (!node || level.append(node.get()) < 0) return false;
  node.release();
  return true;
}

bool moveNodes(bndLevel& from, bndLevel& to) {
  for (bndNode* node : from)
    if (node != nullptr && to.append(node) < 0) {
      // Take back what was appended: `from` still owns every node.
      while (!to.isEmpty() && std::find(from.begin(), from.end(), to[to.count() - 1]) != from.end())
        hvArrayTruncate(to, to.count() - 1);
      return false;
    }
  from.removeAll();
  return true;
}

nodeOwner nodeForCopy(const XtGeCurve2d& curve) {
  XtGeCurve2d* copy = copyCurve2d(&curve);
  return copy != nullptr ? std::make_unique<bndNode>(copy) : nullptr;
}

std::vector<curveOwner> combine(const XtGeCurve2d& a, const XtGeCurve2d& b, bool keepA, bool dropB) {
  ownedCurveList out;
  combineClosedCurves(a, b, out.list, keepA, nullptr, dropB);
  std::vector<curveOwner> curves;
  for (XtGeCurve2d*& curve : out.list)
    if (curve != nullptr) curves.emplace_back(std::exchange(curve, nullptr));
  return curves;
}

std::vector<region> sortIntoRegions(std::vector<curveOwner> curves, const bndBuilder::bndData& data) {
  const int n = static_cast<int>(curves.size());
  // inside[i * n + j]: curve i lies inside curve j.
  std::vector<char> inside(static_cast<std::size_t>(n) * n, 0);
  std::vector<int> depth(n, 0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      if (i == j) continue;
      const int r = data.relation(*curves[i], *curves[j]);
      if (r == kRelationInside || r == kRelationInsideTouching) {
        inside[i * n + j] = 1;
        ++depth[i];
      }
    }
  std::vector<region> regions;
  std::vector<int> regionOf(n, -1);
  for (int i = 0; i < n; ++i)
    if (depth[i] % 2 == 0) {
      regionOf[i] = static_cast<int>(regions.size());
      regions.push_back({std::move(curves[i]), {}});
    }
  for (int i = 0; i < n; ++i) {
    if (depth[i] % 2 == 0) continue;
    // The innermost region curve around the hole: the one one level up.
    int around = -1;
    for (int j = 0; j < n; ++j)
      if (inside[i * n + j] && depth[j] == depth[i] - 1) around = j;
    if (around >= 0 && regionOf[around] >= 0) regions[regionOf[around]].holes.push_back(std::move(curves[i]));
  }
  return regions;
}

bool addHoleNodes(bndNode& node, std::vector<curveOwner>& holes) {
  for (curveOwner& hole : holes)
    if (!appendNode(node.children, std::make_unique<bndNode>(hole.release()))) return false;
  holes.clear();
  return true;
}

}  // namespace bndDetail

namespace bndBuilder {

namespace {

// classifyCurveRelation, answering 1 at once for curves whose boxes lie
// further apart than any tolerance that could make them touch.
int boxedRelation(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve) {
  XtGeBoundBlock2d a = curve.orthoBoundBlock();
  const XtGeBoundBlock2d b = closedCurve.orthoBoundBlock();
  if (!a.isEmpty() && !b.isEmpty()) {
    a.swell(10.0 * std::max(workTol.equalPoint(), XtGeContext::gTol.equalPoint()));
    if (a.isDisjoint(b)) return kRelationOutside;
  }
  return classifyCurveRelation(curve, closedCurve);
}

}  // namespace

bndData::bndData() : m_relation(boxedRelation) {}

bndData::bndData(relationFn relation) : m_relation(relation ? std::move(relation) : relationFn(boxedRelation)) {}

std::uint32_t bndData::addBoundary(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode) const {
  if (mode > kBoundaryEvenOdd) return kBoundaryFailed;
  if (!curve.xtIsClosed(workTol)) return kBoundaryOpen;
  // A curve that touches and crosses nothing is placed in place: placing
  // changes nothing until it cannot fail any more.
  switch (placeWithoutCrossing(root, curve, mode, 0)) {
    case placement::placed:
      return kBoundaryAdded;
    case placement::failed:
      return kBoundaryFailed;
    case placement::blocked:
      break;
  }
  if (mode == kBoundaryNest) return kBoundaryFailed;
  bndLevel work;
  if (!copyBoundaryLevel(root, work)) return kBoundaryFailed;
  const bool merged = mode == kBoundarySubtract ? cuttingPath(work, curve, mode, 0, nullptr)
                                                : mergingPath(work, curve, mode, 0);
  if (merged) root.swap(work);
  releaseBoundaryLevel(work);
  return merged ? kBoundaryAdded : kBoundaryFailed;
}

std::uint32_t bndData::addBoundaryNoIntersect(bndLevel& root, const XtGeCurve2d& curve,
                                              std::uint32_t mode) const {
  if (!curve.xtIsClosed(workTol)) return kBoundaryOpen;
  if (mode > kBoundaryEvenOdd) return kBoundaryNotPlaced;
  return placeWithoutCrossing(root, curve, mode, 0) == placement::placed ? kBoundaryAdded : kBoundaryNotPlaced;
}

bool bndData::add_boundary_intersect(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                                     bndNode* parent) const {
  if (mode > kBoundaryEvenOdd || depth > kMaxDepth) return false;
  if (depth == 0 || mode == kBoundaryEvenOdd) {
    const placement placed = placeWithoutCrossing(level, curve, mode, depth);
    if (placed != placement::blocked) return placed == placement::placed;
  }
  if (mode == kBoundaryEvenOdd || (mode == kBoundaryUnion && depth == 0)) return mergingPath(level, curve, mode, depth);
  if (mode == kBoundarySubtract || mode == kBoundaryUnion) return cuttingPath(level, curve, mode, depth, parent);
  return false;
}

bool bndData::add_boundary_no_intersect(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode,
                                        int depth) const {
  return placeWithoutCrossing(level, curve, mode, depth) == placement::placed;
}

bndData::placement bndData::placeWithoutCrossing(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode,
                                                 int rootDepth) const {
  // Descend through the nodes that hold the curve.
  bndLevel* level = &root;
  int depth = rootDepth;
  for (;;) {
    bndNode* container = nullptr;
    int equal = -1;
    for (int i = 0; i < level->count(); ++i) {
      const int r = relation(curve, *(*level)[i]->curve);
      if (r == kRelationOutside) continue;
      if (r == kRelationInside) {
        if (container == nullptr) container = (*level)[i];
      } else if (r == kRelationOn) {
        equal = i;
      } else {
        return placement::blocked;
      }
    }
    if (equal >= 0) return mergeEqual(*level, equal, mode, depth) ? placement::placed : placement::failed;
    if (container == nullptr) break;
    if (depth - rootDepth >= kMaxDepth) return placement::failed;
    level = &container->children;
    ++depth;
  }

  // The nodes of the level the curve encloses; all are classified before
  // any moves, so that a node crossing the curve leaves the tree untouched.
  bndLevel kept;
  bndLevel enclosed;
  for (bndNode* node : *level) {
    const int r = relation(*node->curve, curve);
    if (r == kRelationOutside) {
      if (kept.append(node) < 0) return placement::failed;
    } else if (r == kRelationInside) {
      if (enclosed.append(node) < 0) return placement::failed;
    } else {
      reportPlacement(kLinePlacement);
      return placement::failed;
    }
  }
  const bool nesting = mode == kBoundaryNest || mode == kBoundaryEvenOdd;
  const bool joins = nesting || (mode == kBoundarySubtract && depth % 2 == 1) ||
                     (mode == kBoundaryUnion && depth % 2 == 0);
  nodeOwner made;
  if (joins) {
    made = nodeForCopy(curve);
    if (!made) return placement::failed;
    if (nesting && !made->children.append(enclosed)) {
      made->children.removeAll();
      return placement::failed;
    }
    if (kept.append(made.get()) < 0) {
      made->children.removeAll();
      return placement::failed;
    }
    made.release();
  }
  // Nothing can fail from here on.
  level->swap(kept);
  if (!nesting) releaseBoundaryLevel(enclosed);
  return placement::placed;
}

bool bndData::mergeEqual(bndLevel& level, int index, std::uint32_t mode, int depth) const {
  bndNode* node = level[index];
  const bool region = depth % 2 == 0;
  if (mode == kBoundaryNest || mode == kBoundaryEvenOdd) {
    // The same loop twice cancels out: the node's children move up.
    bndLevel lifted(level);
    if (!lifted.append(node->children) || !hvArrayKeepIf(lifted, [node](const bndNode* n) { return n != node; }))
      return false;
    node->children.removeAll();
    level.swap(lifted);
    delete node;
  } else if ((mode == kBoundarySubtract && !region) || (mode == kBoundaryUnion && region)) {
    releaseBoundaryLevel(node->children);  // a hole's islands cut away, a region's holes filled
  } else if (mode == kBoundarySubtract || mode == kBoundaryUnion) {
    if (!hvArrayKeepIf(level, [node](const bndNode* n) { return n != node; })) return false;
    delete node;  // a region cut away, a hole filled
  }
  return true;
}

}  // namespace bndBuilder

std::uint32_t boundBuilderAddBoundary(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode) {
  return bndBuilder::bndData().addBoundary(root, curve, mode);
}

std::uint32_t boundBuilderAddBoundaryNoIntersect(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode) {
  return bndBuilder::bndData().addBoundaryNoIntersect(root, curve, mode);
}
