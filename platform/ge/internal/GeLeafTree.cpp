#include "platform/ge/internal/GeLeafTree.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/internal/GeClosestPair.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

namespace {

constexpr int kBucketSize = 4;

CoarseBox boxOfBlock(const XtGeBoundBlock2d& block) {
  CoarseBox b;
  XtGePoint2d lo;
  XtGePoint2d hi;
  if (!block.getMinMaxPoints(lo, hi) || !lo.isFinite() || !hi.isFinite()) return b;
  b.lo = lo;
  b.hi = hi;
  b.bounded = true;
  return b;
}

void extendBox(CoarseBox& box, const CoarseBox& other, bool& first) {
  if (first) {
    box = other;
    first = false;
    return;
  }
  if (!box.bounded || !other.bounded) {
    box.bounded = false;
    return;
  }
  box.lo.set(std::min(box.lo.x, other.lo.x), std::min(box.lo.y, other.lo.y));
  box.hi.set(std::max(box.hi.x, other.hi.x), std::max(box.hi.y, other.hi.y));
}

double boxPointGap(const CoarseBox& b, const XtGePoint2d& p) {
  const double dx = std::max({b.lo.x - p.x, 0.0, p.x - b.hi.x});
  const double dy = std::max({b.lo.y - p.y, 0.0, p.y - b.hi.y});
  return std::hypot(dx, dy);
}

double boxBoxGap(const CoarseBox& a, const CoarseBox& b) {
  const double dx = std::max({b.lo.x - a.hi.x, 0.0, a.lo.x - b.hi.x});
  const double dy = std::max({b.lo.y - a.hi.y, 0.0, a.lo.y - b.hi.y});
  return std::hypot(dx, dy);
}

// Distance from a box to the supporting line of a span (0 when the line
// passes through the box): a lower bound of the distance to the span.
double lineBoxGap(const LinearSpan& s, const CoarseBox& b) {
  const double len = s.vec.length();
  if (!(len > 0.0)) return boxPointGap(b, s.base);
  const XtGePoint2d corners[4] = {b.lo, {b.hi.x, b.lo.y}, b.hi, {b.lo.x, b.hi.y}};
  double lo = kInfinity;
  double hi = -kInfinity;
  for (const XtGePoint2d& c : corners) {
    const double d = s.vec.crossProduct(c - s.base) / len;
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
  if (lo > 0.0) return lo;
  if (hi < 0.0) return -hi;
  return 0.0;
}

// The single linear leaf of a view whose root is unbounded, or null.
const CurveLeaf* unboundedLinearLeaf(const LeafView& v) {
  if (v.numLeaves != 1 || v.leaves[0].view.kind != CurveView::Kind::kLinear) return nullptr;
  return &v.leaves[0];
}

}  // namespace

double CurveLeaf::toOwner(double u) const {
  if (identity) return u;
  if (!(hi > lo)) return g0;
  if (u == hi) return g1;
  return g0 + (u - lo) / (hi - lo) * (g1 - g0);
}

double CurveLeaf::toOwn(double g) const {
  if (identity) return g;
  if (!(g1 > g0)) return lo;
  if (g == g1) return hi;
  return lo + (g - g0) / (g1 - g0) * (hi - lo);
}

void LeafTree::clear() {
  m_leaves.clear();
  m_order.clear();
  m_nodes.clear();
  m_magnitude = 0.0;
}

void LeafTree::build() {
  m_order.resize(m_leaves.size());
  for (std::size_t i = 0; i < m_order.size(); ++i) m_order[i] = static_cast<int>(i);
  m_nodes.clear();
  m_magnitude = 0.0;
  for (const CurveLeaf& leaf : m_leaves) m_magnitude = std::max(m_magnitude, leaf.view.magnitude());
  if (m_leaves.empty()) return;
  m_nodes.reserve(2 * m_leaves.size() / kBucketSize + 2);
  buildNode(0, static_cast<int>(m_order.size()));
}

int LeafTree::buildNode(int begin, int end) {
  const int index = static_cast<int>(m_nodes.size());
  m_nodes.emplace_back();
  LeafNode node;
  node.begin = begin;
  node.end = end;
  bool first = true;
  for (int i = begin; i < end; ++i) extendBox(node.box, m_leaves[m_order[i]].box, first);
  if (end - begin > kBucketSize && node.box.bounded) {
    // Median split of the box centres along the longer side.
    const bool alongX = node.box.hi.x - node.box.lo.x >= node.box.hi.y - node.box.lo.y;
    auto centre = [&](int leaf) {
      const CoarseBox& b = m_leaves[leaf].box;
      return alongX ? b.lo.x + b.hi.x : b.lo.y + b.hi.y;
    };
    const int mid = begin + (end - begin) / 2;
    std::nth_element(m_order.begin() + begin, m_order.begin() + mid, m_order.begin() + end,
                     [&](int a, int b) { return centre(a) < centre(b) || (centre(a) == centre(b) && a < b); });
    node.left = buildNode(begin, mid);
    node.right = buildNode(mid, end);
  }
  m_nodes[index] = node;
  return index;
}

LeafView LeafTree::view() const {
  LeafView v;
  v.leaves = m_leaves.data();
  v.numLeaves = static_cast<int>(m_leaves.size());
  v.order = m_order.data();
  v.nodes = m_nodes.data();
  v.magnitude = m_magnitude;
  return v;
}

bool describeLeaf(const XtGeCurve2d& curve, CurveLeaf& leaf) {
  if (!CurveView::make(curve, leaf.view) || !leaf.view.isFinite()) return false;
  leaf.curve = &curve;
  XtGeInterval iv;
  curve.getInterval(iv);
  leaf.lo = iv.isBoundedBelow() ? iv.lowerBound() : -kInfinity;
  leaf.hi = iv.isBoundedAbove() ? iv.upperBound() : kInfinity;
  if (iv.isBounded()) {
    leaf.length = curve.xtLength(leaf.lo, leaf.hi);
    leaf.box = boxOfBlock(curve.xtOrthoBoundBlock());
  } else {
    leaf.length = kInfinity;
    leaf.box = CoarseBox();
  }
  return true;
}

bool SingleLeaf::make(const XtGeCurve2d& curve) {
  if (!describeLeaf(curve, leaf)) return false;
  leaf.identity = true;
  leaf.g0 = leaf.lo;
  leaf.g1 = leaf.hi;
  node = LeafNode();
  node.box = leaf.box;
  node.begin = 0;
  node.end = 1;
  order = 0;
  return true;
}

LeafView SingleLeaf::view() const {
  LeafView v;
  v.leaves = &leaf;
  v.numLeaves = 1;
  v.order = &order;
  v.nodes = &node;
  v.magnitude = leaf.view.magnitude();
  return v;
}

bool leafViewOf(const XtGeCurve2d& curve, SingleLeaf& storage, LeafView& view) {
  if (curve.type() == XtGe::kCompositeCrv2d) {
    const auto* composite = dynamic_cast<const XtGeCompositeCurve2d*>(&curve);
    if (composite == nullptr) return false;
    view = composite->leafTree().view();
    return true;
  }
  if (!storage.make(curve)) return false;
  view = storage.view();
  return true;
}

double leafParamStep(const CurveLeaf& leaf, double u, double len) {
  double speed = 0.0;
  switch (leaf.view.kind) {
    case CurveView::Kind::kLinear:
      speed = leaf.view.lin.vec.length();
      break;
    case CurveView::Kind::kArc:
      speed = leaf.view.arc.radius;
      break;
    case CurveView::Kind::kEllipse:
      speed = leaf.view.ell.deriv(u).length();
      break;
  }
  if (!(speed > 0.0)) return 0.0;
  double step = len / speed;
  if (!leaf.identity) step *= (leaf.hi > leaf.lo) ? (leaf.g1 - leaf.g0) / (leaf.hi - leaf.lo) : 0.0;
  return step;
}

double nodeGap(const LeafView& a, const LeafNode& na, const LeafView& b, const LeafNode& nb) {
  if (na.box.bounded && nb.box.bounded) return boxBoxGap(na.box, nb.box);
  if (!na.box.bounded && nb.box.bounded) {
    const CurveLeaf* line = unboundedLinearLeaf(a);
    return line ? lineBoxGap(line->view.lin, nb.box) : 0.0;
  }
  if (na.box.bounded && !nb.box.bounded) {
    const CurveLeaf* line = unboundedLinearLeaf(b);
    return line ? lineBoxGap(line->view.lin, na.box) : 0.0;
  }
  return 0.0;
}

double leafGap(const CurveLeaf& a, const CurveLeaf& b) {
  return a.box.bounded && b.box.bounded ? boxBoxGap(a.box, b.box) : 0.0;
}

double nodeGap(const LeafView& v, const LeafNode& n, const XtGePoint2d& p) {
  if (n.box.bounded) return boxPointGap(n.box, p);
  const CurveLeaf* line = unboundedLinearLeaf(v);
  return line ? line->view.lin.distanceTo(p) : 0.0;
}

LeafPointHit closestLeafPoint(const LeafView& v, const XtGePoint2d& p) {
  LeafPointHit best;
  if (v.empty() || !p.isFinite()) return best;
  const double slack =
      numericFloor(std::max({v.magnitude, std::fabs(p.x), std::fabs(p.y)}));
  auto consider = [&](int index) {
    const CurveLeaf& leaf = v.leaves[index];
    if (best.leaf >= 0 && !leaf.view.mayBeNear(p, best.distance + slack)) return;
    const double u = leaf.view.closestParam(p);
    if (std::isnan(u)) return;
    const XtGePoint2d q = leaf.curve->xtEvalPoint(u);
    const double d = p.distanceTo(q);
    const double g = leaf.toOwner(u);
    const bool better = d < best.distance - slack ||
                        (d <= best.distance + slack && (best.leaf < 0 || g < best.g));
    if (!better) return;
    best.leaf = index;
    best.u = u;
    best.g = g;
    best.point = q;
    best.distance = d;
  };
  int stack[kLeafStackSize];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const LeafNode& n = v.nodes[stack[--top]];
    if (nodeGap(v, n, p) > best.distance + slack) continue;
    if (n.isBucket()) {
      for (int i = n.begin; i < n.end; ++i) consider(v.order[i]);
      continue;
    }
    if (top + 2 > kLeafStackSize) continue;  // cannot happen for balanced trees
    // The nearer child goes on top.
    const double gl = nodeGap(v, v.nodes[n.left], p);
    const double gr = nodeGap(v, v.nodes[n.right], p);
    if (gl <= gr) {
      stack[top++] = n.right;
      stack[top++] = n.left;
    } else {
      stack[top++] = n.left;
      stack[top++] = n.right;
    }
  }
  return best;
}

LeafPairHit closestLeafPair(const LeafView& a, const LeafView& b, const XtGeTol& tol) {
  LeafPairHit best;
  if (a.empty() || b.empty()) return best;
  const double ep = std::max(tol.equalPoint(), numericFloor(std::max(a.magnitude, b.magnitude)));
  NodePair stack[kLeafStackSize];
  int top = 0;
  stack[top++] = {0, 0};
  while (top > 0 && !(best.distance <= ep)) {
    const NodePair pr = stack[--top];
    const LeafNode& na = a.nodes[pr.na];
    const LeafNode& nb = b.nodes[pr.nb];
    if (!(nodeGap(a, na, b, nb) < best.distance)) continue;
    if (na.isBucket() && nb.isBucket()) {
      for (int i = na.begin; i < na.end; ++i) {
        for (int k = nb.begin; k < nb.end; ++k) {
          const CurveLeaf& la = a.leaves[a.order[i]];
          const CurveLeaf& lb = b.leaves[b.order[k]];
          if (!(leafGap(la, lb) < best.distance)) continue;
          XtGePoint2d pa;
          XtGePoint2d pb;
          if (!closestPointsSimple(*la.curve, *lb.curve, tol, pa, pb)) continue;
          const double d = pa.distanceTo(pb);
          if (d < best.distance) best = {a.order[i], b.order[k], pa, pb, d};
        }
      }
      continue;
    }
    if (top + 2 > kLeafStackSize) continue;  // cannot happen for balanced trees
    NodePair first;
    NodePair second;
    splitNodePair(a, b, pr, first, second);
    const double g1 = nodeGap(a, a.nodes[first.na], b, b.nodes[first.nb]);
    const double g2 = nodeGap(a, a.nodes[second.na], b, b.nodes[second.nb]);
    if (g1 > g2) std::swap(first, second);
    stack[top++] = second;  // the nearer pair goes on top
    stack[top++] = first;
  }
  return best;
}

}  // namespace GeKernel
