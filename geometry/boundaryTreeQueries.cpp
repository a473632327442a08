#include "geometry/boundaryTreeQueries.h"

#include "geometry/Tolerances.h"
#include "geometry/boundaryTreeDetail.h"
#include "geometry/curveCopying.h"
#include "geometry/curveEdits.h"
#include "geometry/hvArrayEdit.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

// Calls visit(node, depth) for every node of the tree in pre-order, through
// a list of pending nodes rather than recursion.
template <typename Node, typename Visit>
void forEachNode(const hvArray<Node*>& level, Visit visit) {
  std::vector<std::pair<Node*, int>> pending;
  for (int i = level.count() - 1; i >= 0; --i) pending.emplace_back(level[i], 0);
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    if (node == nullptr) continue;
    visit(*node, depth);
    for (int i = node->children.count() - 1; i >= 0; --i) pending.emplace_back(node->children[i], depth + 1);
  }
}

void appendCurve(XtGeCurve2d* curve, curvePtrArray& curves, curveFlagArray& flags, bool copy) {
  if (curve == nullptr) return;
  XtGeCurve2d* entry = copy ? copyCurve2d(curve) : curve;
  if (entry == nullptr) return;
  if (curves.append(entry) < 0) {
    if (copy) delete entry;
    return;
  }
  if (flags.append(copy ? kCurveOwned : kCurveBorrowed) < 0) {
    // Keep the list and its flags parallel.
    hvArrayTruncate(curves, curves.count() - 1);
    if (copy) delete entry;
  }
}

}  // namespace

void collectBoundaryCurves(const bndLevel& level, curvePtrArray& curves, curveFlagArray& flags, int depth,
                           bool copy) {
  forEachNode(level, [&](const bndNode& node, int d) {
    if (d == depth) appendCurve(node.curve, curves, flags, copy);
  });
}

void collectAllBoundaryCurves(const bndLevel& level, curvePtrArray& curves, curveFlagArray& flags, bool copy) {
  forEachNode(level, [&](const bndNode& node, int) { appendCurve(node.curve, curves, flags, copy); });
}

std::uint32_t buildBoundaryTree(const bndLevel& sourceRoot, const XtGeCurve2d& clip, bndLevel& outRoot) {
  if (!clip.xtIsClosed(workTol)) return kBoundaryOpen;
  bndLevel made;
  const std::uint32_t code = buildBoundariesFromCurves(made, sourceRoot, clip, 0);
  if (code == kBoundaryAdded) outRoot.swap(made);
  releaseBoundaryLevel(made);
  return code;
}

std::uint32_t buildBoundariesFromCurves(bndLevel& outRoot, const bndLevel& level, const XtGeCurve2d& clip,
                                        int depth) {
  // Level by level: all regions of a depth are added before the holes of
  // the next subtract from them. Every node is visited once.
  std::vector<const bndNode*> current(level.begin(), level.end());
  for (int d = depth; !current.empty(); ++d) {
    std::vector<const bndNode*> next;
    std::vector<bndDetail::curveOwner> parts;
    for (const bndNode* node : current) {
      if (node == nullptr || node->curve == nullptr) continue;
      std::vector<bndDetail::curveOwner> inside = bndDetail::intersectionOf(*node->curve, clip);
      if (inside.empty()) continue;
      next.insert(next.end(), node->children.begin(), node->children.end());
      for (bndDetail::curveOwner& part : inside) parts.push_back(std::move(part));
    }
    for (const bndDetail::curveOwner& part : parts) {
      const std::uint32_t code = boundBuilderAddBoundary(outRoot, *part, static_cast<std::uint32_t>(d & 1));
      if (code != kBoundaryAdded) return code;
    }
    current.swap(next);
  }
  return kBoundaryAdded;
}

bool sumCurveLengths(double& total, const bndLevel& nodes, int depth, bool topLevelOnly) {
  if (depth == 0) total = 0.0;
  forEachNode(nodes, [&](const bndNode& node, int d) {
    if ((d == 0 || !topLevelOnly) && node.curve != nullptr) total += node.curve->length(XtGeContext::gTol);
  });
  return true;
}

std::uint32_t curveListLengthCheckOpen(const bndLevel& nodes, double& total) {
  sumCurveLengths(total, nodes, 0, false);
  return 0;
}

bool transformBoundaryTree(bndLevel& level, const XtGeMatrix2d& matrix) {
  // Transformed copies first; the tree takes them only when all followed.
  std::vector<std::pair<bndNode*, std::unique_ptr<XtGeCurve2d>>> moved;
  bool followed = true;
  forEachNode(level, [&](bndNode& node, int) {
    if (!followed || node.curve == nullptr) return;
    std::unique_ptr<XtGeCurve2d> copy(copyCurve2d(node.curve));
    followed = copy && transformCurveDeep(copy.get(), matrix);
    if (followed) moved.emplace_back(&node, std::move(copy));
  });
  if (!followed) return false;
  for (auto& [node, curve] : moved) {
    delete node->curve;
    node->curve = curve.release();
  }
  return true;
}
