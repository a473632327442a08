#include "heating/layout/MeanderPathEdits.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutTolerances.h"
#include "heating/layout/OffsetEdgePath.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

using meander_spacing::PipePiece;
using meander_spacing::PipeStretch;

MeanderPath::MeanderPath(CFHCircuitLayout& layout, const COffsetLoop& firstLoop, const XtGeVector2d& runDirection,
                         double s, const meander_spacing::Narrowings& narrowings)
    : layout_(layout), loop_(firstLoop), s_(s), step_(0.125 * s), rule_(s, narrowings) {
  const double len = runDirection.length();
  if (len > 0.0 && std::isfinite(len)) run_ = runDirection / len;
}

MeanderPath::~MeanderPath() { purge(); }

bool MeanderPath::usable() const { return run_.length() > 0.0 && s_ > 0.0 && std::isfinite(s_); }

bool MeanderPath::edges(std::vector<COffsetEdge*>& path) const {
  path.clear();
  COffsetEdge* edge = layout_.firstEdge;
  for (std::size_t passed = 0; edge != nullptr && passed <= layout_.edges.size(); ++passed) {
    if (edge->a == nullptr || edge->b == nullptr) return false;
    path.push_back(edge);
    if (edge == layout_.lastEdge) return path.size() >= 2;
    edge = next(*edge);
  }
  return false;
}

bool MeanderPath::isWalk(const COffsetEdge& edge) const {
  return !isStraightEdge(edge) && edge.a->owner == &loop_;
}

bool MeanderPath::isLeg(const COffsetEdge& edge) const {
  if (!isStraightEdge(edge) || edge.a == nullptr || edge.b == nullptr) return false;
  const XtGeVector2d d = edge.b->point - edge.a->point;
  const double len = d.length();
  return len > meander_spacing::kNone * s_ && std::fabs(d.crossProduct(run_)) <= kLegParallelSine * len;
}

COffsetEdge* MeanderPath::outgoing(const COffsetNode& node) {
  for (COffsetEdge* e : node.edges)
    if (e->a == &node) return e;
  return nullptr;
}

COffsetEdge* MeanderPath::next(const COffsetEdge& edge) {
  return edge.b != nullptr ? edge.b->otherEdgeIfUnique(&edge) : nullptr;
}

PipeStretch MeanderPath::stretchOf(COffsetEdge* before, COffsetEdge* first, COffsetEdge* after) const {
  PipeStretch stretch;
  if (before != nullptr) {
    stretch.legBefore = 0;
    stretch.add(before->a->point, before->b->point, before, false, true);
  }
  COffsetEdge* edge = first;
  for (std::size_t passed = 0; edge != nullptr && isWalk(*edge) && passed <= layout_.edges.size(); ++passed) {
    offsetEdgePathPoints(edge, points_);
    for (std::size_t k = 1; k < points_.size(); ++k) stretch.add(points_[k - 1], points_[k], edge, true, false);
    edge = next(*edge);
  }
  if (after != nullptr && edge == after) {
    stretch.legAfter = static_cast<int>(stretch.pieces.size());
    stretch.add(after->a->point, after->b->point, after, false, true);
  }
  return stretch;
}

const PipeStretch& MeanderPath::whole() const {
  if (wholeKept_) return whole_;
  PipeStretch& path = whole_;
  path.pieces.clear();
  path.total = 0.0;
  COffsetEdge* edge = layout_.firstEdge;
  for (std::size_t passed = 0; edge != nullptr && passed <= layout_.edges.size(); ++passed) {
    const bool lead = edge == layout_.firstEdge || edge == layout_.lastEdge;
    if (isWalk(*edge)) {
      offsetEdgePathPoints(edge, points_);
      for (std::size_t k = 1; k < points_.size(); ++k) path.add(points_[k - 1], points_[k], edge, true, false);
    } else {
      path.add(edge->a->point, edge->b->point, edge, false, !lead && isLeg(*edge));
    }
    if (edge == layout_.lastEdge) break;
    edge = next(*edge);
  }
  wholeKept_ = true;
  return path;
}

meander_spacing::PipeEnds MeanderPath::endsOf(const PipeStretch& whole) const {
  if (whole.pieces.empty()) return {};
  const double end = spacing_rules::kEndSpacings * s_;
  return {whole.pieces.front().length + end, whole.total - whole.pieces.back().length - end};
}

std::unordered_set<const COffsetEdge*> MeanderPath::edgesTooNear() const {
  const PipeStretch& pipe = whole();
  std::vector<meander_spacing::SpacedPiece> pieces;
  meander_spacing::spacedPieces(pipe, 0.0, pipe.total, 0.0, -1e300, 1e300, pieces);
  std::unordered_set<const COffsetEdge*> near;
  meander_spacing::SpacingSearch(std::move(pieces), rule_, across(), endsOf(pipe)).each([&](const meander_spacing::NearPair& pair) {
    near.insert(pipe.pieces[pair.tag1].edge);
    near.insert(pipe.pieces[pair.tag2].edge);
  });
  return near;
}

double MeanderPath::nearestTooNear() const {
  const PipeStretch& pipe = whole();
  std::vector<meander_spacing::SpacedPiece> pieces;
  meander_spacing::spacedPieces(pipe, 0.0, pipe.total, 0.0, -1e300, 1e300, pieces);
  double nearest = std::numeric_limits<double>::infinity();
  meander_spacing::SpacingSearch(std::move(pieces), rule_, across(), endsOf(pipe)).each([&](const meander_spacing::NearPair& pair) {
    nearest = std::min(nearest, pipe.at(pair.t1).distanceTo(pipe.at(pair.t2)));
  });
  return nearest;
}

double MeanderPath::sharpestCorner() const {
  const meander_spacing::PipeStretch& pipe = whole();
  double sharpest = std::numbers::pi;
  const meander_spacing::PipePiece* before = nullptr;
  for (const meander_spacing::PipePiece& piece : pipe.pieces) {
    if (!(piece.length > meander_spacing::kNone * s_)) continue;
    if (before != nullptr) sharpest = std::min(sharpest, (before->a - before->b).angleTo(piece.b - piece.a));
    before = &piece;
  }
  return sharpest;
}

bool MeanderPath::connectorWithin(const XtGePoint2d& p, const XtGePoint2d& q) const {
  // No section crosses the connector (each strictly on both sides of the
  // other's line), none passes through it at a corner (a corner strictly
  // inside the connector whose two sections leave to both sides of it), and
  // its middle is not outside. Touching and lying along it are no crossing.
  const double eq = workTol.equalPoint();
  const XtGeVector2d pq = q - p;
  const double len = pq.length();
  if (!(len > 0.0)) return loop_.classifyPoint(p, workTol) != CLoop::kOutside;
  const auto side = [&](const XtGePoint2d& x) { return pq.crossProduct(x - p) / len; };
  const auto within = [&](const XtGePoint2d& x) {
    const double t = (x - p).dotProduct(pq) / len;
    return t > eq && t < len - eq;
  };
  const int n = loop_.elementCount();
  for (int i = 0; i < n; ++i) {
    const CLoopElement* element = loop_.elements[i];
    if (element == nullptr || element->curve == nullptr) continue;
    const XtGePoint2d a = element->startPoint();
    const XtGePoint2d b = element->endPoint();
    const double sa = side(a);
    const double sb = side(b);
    if ((sa > eq && sb < -eq) || (sa < -eq && sb > eq)) {
      const XtGeVector2d ab = b - a;
      const double lab = ab.length();
      const double sp = ab.crossProduct(p - a) / lab;
      const double sq = ab.crossProduct(q - a) / lab;
      if ((sp > eq && sq < -eq) || (sp < -eq && sq > eq)) return false;
    }
    // The corner at b, on the connector: the sections on either side of it.
    if (std::fabs(sb) <= eq && within(b)) {
      const CLoopElement* next = loop_.elements[loop_.nextIndex(i)];
      if (next == nullptr || next->curve == nullptr) continue;
      const double sn = side(next->endPoint());
      if ((sa > eq && sn < -eq) || (sa < -eq && sn > eq)) return false;
    }
  }
  return loop_.classifyPoint(p + pq * 0.5, workTol) != CLoop::kOutside;
}

COffsetNode* MeanderPath::nodeAt(const PipeStretch& stretch, double t) {
  const PipePiece& piece = stretch.pieces[stretch.pieceAt(t)];
  COffsetEdge& edge = *piece.edge;
  const XtGePoint2d p = stretch.at(t);
  if (p.isEqualTo(edge.a->point, workTol)) return edge.a;
  if (p.isEqualTo(edge.b->point, workTol)) return edge.b;
  std::unique_ptr<COffsetNode> node;
  if (piece.walk) {
    CLoopPoint on;
    if (!loop_.closestPoint(p, on, workTol)) return nullptr;
    node = std::make_unique<COffsetNode>(on, const_cast<COffsetLoop*>(&loop_));
  } else {
    node = std::make_unique<COffsetNode>();
    node->point = p;
  }
  layout_.nodes.reserve(layout_.nodes.size() + 1);
  COffsetNode* x = node.get();
  layout_.nodes.push_back(node.release());
  edge.splitAt(x, x, layout_.edges);  // the edge keeps its part from x on
  return x;
}

COffsetNode* MeanderPath::shortcut(const PipeStretch& stretch, double t1, double t2) {
  return detour(stretch, t1, t2, {});
}

COffsetNode* MeanderPath::detour(const PipeStretch& stretch, double t1, double t2, const std::vector<XtGePoint2d>& via) {
  if (!(t2 > t1) || stretch.pieces.empty()) return nullptr;
  wholeKept_ = false;  // a node may split an edge even when nothing else changes
  // p first: a split keeps the edge's later part, so that q, after p, still
  // lies on the edge the stretch names for it.
  COffsetNode* p = nodeAt(stretch, t1);
  if (p == nullptr) return nullptr;
  COffsetNode* q = nodeAt(stretch, t2);
  if (q == nullptr || p == q) return nullptr;
  std::vector<COffsetEdge*> gone;
  COffsetEdge* edge = outgoing(*p);
  for (std::size_t passed = 0; edge != nullptr && passed <= layout_.edges.size(); ++passed) {
    gone.push_back(edge);
    if (edge->b == q) break;
    edge = next(*edge);
  }
  if (gone.empty() || gone.back()->b != q) return nullptr;
  for (COffsetEdge* e : gone) {
    e->unlink();
    doomedEdges_.insert(e);
  }
  for (COffsetEdge* e : gone)
    if (e->b != q && e->b->edges.empty()) doomedNodes_.insert(e->b);
  layout_.nodes.reserve(layout_.nodes.size() + via.size());
  layout_.edges.reserve(layout_.edges.size() + via.size() + 1);
  COffsetNode* from = p;
  for (const XtGePoint2d& point : via) {
    auto node = std::make_unique<COffsetNode>();
    node->point = point;
    COffsetNode* to = node.get();
    layout_.nodes.push_back(node.release());
    layout_.edges.push_back(COffsetEdge::COffsetEdgeFromNodes(from, to, 1, true).release());
    from = to;
  }
  layout_.edges.push_back(COffsetEdge::COffsetEdgeFromNodes(from, q, 1, true).release());
  return q;
}

COffsetNode* MeanderPath::rewalk(const PipeStretch& stretch, double t1, double t2, std::uint8_t direction) {
  if (!(t2 > t1) || stretch.pieces.empty()) return nullptr;
  const auto onLoop = [&](double t) {
    const PipePiece& piece = stretch.pieces[stretch.pieceAt(t)];
    const XtGePoint2d p = stretch.at(t);
    const COffsetEdge& edge = *piece.edge;
    return (p.isEqualTo(edge.a->point, workTol) && edge.a->owner == &loop_) ||
           (p.isEqualTo(edge.b->point, workTol) && edge.b->owner == &loop_) || piece.walk;
  };
  if (!onLoop(t1) || !onLoop(t2)) return nullptr;
  COffsetNode* q = detour(stretch, t1, t2, {});
  if (q == nullptr) return nullptr;
  // The connector just made becomes the way along the loop.
  COffsetEdge* connector = layout_.edges.back();
  if (connector->a == nullptr || connector->a->owner != &loop_ || q->owner != &loop_) return q;
  COffsetNode* p = connector->a;
  connector->unlink();
  doomedEdges_.insert(connector);
  layout_.edges.push_back(COffsetEdge::COffsetEdgeFromNodes(p, q, direction, false).release());
  return q;
}

void MeanderPath::purge() {
  if (doomedEdges_.empty() && doomedNodes_.empty()) return;
  std::erase_if(layout_.edges, [&](COffsetEdge* e) {
    if (!doomedEdges_.count(e)) return false;
    delete e;
    return true;
  });
  std::erase_if(layout_.nodes, [&](COffsetNode* n) {
    if (!doomedNodes_.count(n)) return false;
    n->edges.clear();
    n->clearLinks();
    delete n;
    return true;
  });
  doomedEdges_.clear();
  doomedNodes_.clear();
}
