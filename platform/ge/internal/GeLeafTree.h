// The simple curves ("leaves") a curve is made of, with a box tree over them,
// so that pair queries between composites only look at pieces that can be
// near each other. A composite keeps its flattened leaves (nested composites
// included) with the map of each leaf's own parameter onto the composite's
// parameter; a simple curve is a single leaf whose map is the identity.
//
// The tree is built once (when the composite changes) and only read
// afterwards, so that const queries on one composite may run on several
// threads at once. Queries keep their work stacks on the call stack.
#pragma once

#include "platform/ge/XtGeTol.h"
#include "platform/ge/internal/GeCurveView.h"
#include "platform/ge/internal/GeLinearSpan.h"

#include <vector>

class XtGeCurve2d;

namespace GeKernel {

struct CurveLeaf {
  const XtGeCurve2d* curve = nullptr;  // a line, ray, segment or arc
  CurveView view;                      // the same curve through its kernel
  double lo = 0.0;                     // the leaf's own interval (may be infinite)
  double hi = 0.0;
  double g0 = 0.0;  // the owner's parameter range covered by the leaf
  double g1 = 0.0;
  bool identity = false;  // owner parameter = own parameter (a simple curve itself)
  double length = 0.0;    // infinite for lines and rays
  CoarseBox box;          // tight box; unbounded for lines and rays
  int piece = 0;          // index of the owner's direct piece holding the leaf

  // The owner's parameter of the leaf's parameter u, and back.
  double toOwner(double u) const;
  double toOwn(double g) const;
};

struct LeafNode {
  CoarseBox box;
  int begin = 0;  // the node's leaves are order[begin, end)
  int end = 0;
  int left = -1;  // children, -1 for a bucket node
  int right = -1;
  bool isBucket() const { return left < 0; }
};

// A read-only view of leaves (in parameter order) and their tree; nodes[0]
// is the root. Empty when numLeaves is 0.
struct LeafView {
  const CurveLeaf* leaves = nullptr;
  int numLeaves = 0;
  const int* order = nullptr;
  const LeafNode* nodes = nullptr;
  // Largest coordinate magnitude of the leaves' data.
  double magnitude = 0.0;
  bool empty() const { return numLeaves == 0; }
};

class LeafTree {
public:
  void clear();
  void reserve(std::size_t n) { m_leaves.reserve(n); }
  // Leaves are added in parameter order; build() makes the tree.
  void add(const CurveLeaf& leaf) { m_leaves.push_back(leaf); }
  void build();
  LeafView view() const;
  const std::vector<CurveLeaf>& leaves() const { return m_leaves; }

private:
  int buildNode(int begin, int end);

  std::vector<CurveLeaf> m_leaves;
  std::vector<int> m_order;
  std::vector<LeafNode> m_nodes;
  double m_magnitude = 0.0;
};

// A simple curve as a view of one leaf; the storage lives with the caller.
struct SingleLeaf {
  CurveLeaf leaf;
  LeafNode node;
  int order = 0;
  // False when the curve is not a simple curve.
  bool make(const XtGeCurve2d& curve);
  LeafView view() const;
};

// Fills leaf with a simple curve's data (box, length, view); the map is
// left to the caller. False when the curve is not simple or not finite.
bool describeLeaf(const XtGeCurve2d& curve, CurveLeaf& leaf);

// The leaves of a composite (its tree) or of a simple curve (storage holds
// the single leaf). False for curves of any other kind.
bool leafViewOf(const XtGeCurve2d& curve, SingleLeaf& storage, LeafView& view);

// Parameter step on the leaf that covers about len of length near the leaf's
// parameter u (used to look a little way along a curve).
double leafParamStep(const CurveLeaf& leaf, double u, double len);

// ---- Queries ------------------------------------------------------------

struct LeafPointHit {
  int leaf = -1;        // -1 when nothing was found
  double u = 0.0;       // the leaf's own parameter
  double g = 0.0;       // the owner's parameter
  XtGePoint2d point;    // the closest point
  double distance = kInfinity;
};

// The closest point of the leaves to p; ties within the rounding noise of
// the coordinates go to the smaller owner parameter. No heap use.
LeafPointHit closestLeafPoint(const LeafView& v, const XtGePoint2d& p);

struct LeafPairHit {
  int leafA = -1;  // -1 when nothing was found
  int leafB = -1;
  XtGePoint2d pointA;
  XtGePoint2d pointB;
  double distance = kInfinity;
};

// The nearest pair of points between two leaf sets (exact for lines and
// arcs); stops at the first pair within tol.equalPoint (the curves meet).
LeafPairHit closestLeafPair(const LeafView& a, const LeafView& b, const XtGeTol& tol);

// Calls visit(leafA, leafB) for every pair of leaves that may come within
// gap of each other (boxes and supporting lines not farther apart).
template <class Visit>
void forEachNearLeafPair(const LeafView& a, const LeafView& b, double gap, Visit&& visit);

// Lower bounds of the distance between two nodes, and between a node and a
// point (0 when the boxes meet; lines and rays use their supporting line).
double nodeGap(const LeafView& a, const LeafNode& na, const LeafView& b, const LeafNode& nb);
double nodeGap(const LeafView& v, const LeafNode& n, const XtGePoint2d& p);
// The same between the boxes of two leaves (0 when either is unbounded).
double leafGap(const CurveLeaf& a, const CurveLeaf& b);

// ---- Implementation of the template -------------------------------------

inline constexpr int kLeafStackSize = 256;

struct NodePair {
  int na;
  int nb;
};

// The two halves of a pair of nodes that are not both buckets: the node
// with more leaves is split.
inline void splitNodePair(const LeafView& a, const LeafView& b, const NodePair& pr,
                          NodePair& first, NodePair& second) {
  const LeafNode& na = a.nodes[pr.na];
  const LeafNode& nb = b.nodes[pr.nb];
  const bool splitA = !na.isBucket() && (nb.isBucket() || na.end - na.begin >= nb.end - nb.begin);
  first = splitA ? NodePair{na.left, pr.nb} : NodePair{pr.na, nb.left};
  second = splitA ? NodePair{na.right, pr.nb} : NodePair{pr.na, nb.right};
}

template <class Visit>
void forEachNearLeafPair(const LeafView& a, const LeafView& b, double gap, Visit&& visit) {
  if (a.empty() || b.empty()) return;
  using Pair = NodePair;
  Pair stack[kLeafStackSize];
  int top = 0;
  stack[top++] = {0, 0};
  while (top > 0) {
    const Pair pr = stack[--top];
    const LeafNode& na = a.nodes[pr.na];
    const LeafNode& nb = b.nodes[pr.nb];
    if (!(nodeGap(a, na, b, nb) <= gap)) continue;
    if (na.isBucket() && nb.isBucket()) {
      for (int i = na.begin; i < na.end; ++i)
        for (int k = nb.begin; k < nb.end; ++k)
          if (leafGap(a.leaves[a.order[i]], b.leaves[b.order[k]]) <= gap) visit(a.order[i], b.order[k]);
      continue;
    }
    if (top + 2 > kLeafStackSize) continue;  // cannot happen for balanced trees
    Pair first;
    Pair second;
    splitNodePair(a, b, pr, first, second);
    stack[top++] = second;
    stack[top++] = first;
  }
}

}  // namespace GeKernel
