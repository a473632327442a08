#include "heating/layout/offsets/OffsetEdgePath.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

// One end of a walk along a loop: the point, the index of the section the
// walk leaves (a) or reaches (b) it along, and its parameter there.
struct WalkEnd {
  XtGePoint2d point;
  int section = -1;
  double param = 0.0;
};

// The end of a walk at a loop point: its incoming link (leaving) or its
// outgoing link (arriving) in the walking direction. False when that link is
// not a section of the loop with a curve.
bool walkEnd(const COffsetLoop& loop, const CLoopPoint& at, bool leaving, bool forward, WalkEnd& end) {
  const CLoopElement* link = leaving ? at.incomingLink(forward, workTol) : at.outgoingLink(forward, workTol);
  const int i = loop.indexOf(link);
  if (i < 0 || !loop.elements[i]->hasCurve()) return false;
  end.point = at.point;
  end.section = i;
  end.param = loop.elements[i]->curve->geCurve().paramOf(at.point, XtGeContext::gTol);
  return true;
}

// Walks the loop from a to b and hands every stretch to emit(section index,
// from, to), in walking order; stretches may have no length. Every section
// but a's (which may come twice on a way round) is visited at most once.
template <typename Emit>
void walkStretches(const COffsetLoop& loop, const WalkEnd& a, const WalkEnd& b, bool forward, Emit&& emit) {
  const int n = loop.sectionCount();
  auto far = [&](int i) -> const XtGePoint2d& {
    return forward ? loop.elements[i]->endPoint() : loop.elements[i]->startPoint();
  };
  auto step = [&](int i) { return forward ? loop.nextIndex(i) : loop.previousIndex(i); };
  // b behind a on a's own section: the way goes once round. The same place
  // is no way at all (as CLoop::lengthBetween counts it).
  const bool behind = forward ? a.param > b.param : b.param > a.param;
  const bool round = a.section == b.section && behind && !a.point.isEqualTo(b.point, workTol);
  XtGePoint2d p = a.point;
  int current = a.section;
  if (round) {
    emit(current, p, far(current));
    p = far(current);
    current = step(current);
  }
  // The bound holds the walk to one circuit: b's section is always reached
  // within n - 1 steps, as both indices are valid.
  for (int steps = 0; current != b.section && steps < n; ++steps) {
    emit(current, p, far(current));
    p = far(current);
    current = step(current);
  }
  emit(current, p, b.point);
}

void addPiece(CFloorHeatingCurve::PtrVector& pieces, const XtGePoint2d& from, const XtGePoint2d& to) {
  if (from.isEqualTo(to, workTol)) return;
  pieces.push_back(std::make_unique<CFloorHeatingLine>(from, to, nullptr, kTagEdgePathPiece));
}

// The pieces of the way along the edge's loop from `from` to `to`.
void loopPieces(const COffsetEdge& edge, const CLoopPoint& from, const CLoopPoint& to,
                CFloorHeatingCurve::PtrVector& pieces) {
  const COffsetLoop& loop = *edge.a->owner;
  const bool forward = edge.direction != 0;
  WalkEnd a;
  WalkEnd b;
  if (!walkEnd(loop, from, true, forward, a) || !walkEnd(loop, to, false, forward, b)) return;
  walkStretches(loop, a, b, forward,
                [&](int, const XtGePoint2d& p, const XtGePoint2d& q) { addPiece(pieces, p, q); });
}

// The node the point stands for, else the point itself.
const CLoopPoint& nodeOrPoint(const COffsetEdge& edge, const CLoopPoint& p) {
  if (p.point.isEqualTo(edge.a->point, workTol)) return *edge.a;
  if (p.point.isEqualTo(edge.b->point, workTol)) return *edge.b;
  return p;
}

bool hasBothNodes(const COffsetEdge* edge) { return edge != nullptr && edge->a != nullptr && edge->b != nullptr; }

// out becomes the point with the node's links.
void answerNode(const COffsetNode& node, COffsetPoint& out) {
  out.point = node.point;
  for (CLoopElement* link : node.links()) out.addLink(link);
}

}  // namespace

bool isStraightEdge(const COffsetEdge& edge) {
  return edge.crossesOwners != 0 || edge.a == nullptr || edge.b == nullptr || edge.a->owner == nullptr ||
         edge.a->owner != edge.b->owner;
}

bool offsetEdgePathAlongLoop(const COffsetEdge* edge, CFloorHeatingCurve::PtrVector& pieces) {
  pieces.clear();
  if (!hasBothNodes(edge)) return false;
  if (isStraightEdge(*edge))
    addPiece(pieces, edge->a->point, edge->b->point);
  else
    loopPieces(*edge, *edge->a, *edge->b, pieces);
  return true;
}

bool offsetEdgePathPoints(const COffsetEdge* edge, std::vector<XtGePoint2d>& points) {
  points.clear();
  if (!hasBothNodes(edge)) return false;
  const auto add = [&](const XtGePoint2d& p, const XtGePoint2d& q) {
    if (p.isEqualTo(q, workTol)) return;
    if (points.empty()) points.push_back(p);
    points.push_back(q);
  };
  if (isStraightEdge(*edge)) {
    add(edge->a->point, edge->b->point);
    return true;
  }
  const COffsetLoop& loop = *edge->a->owner;
  const bool forward = edge->direction != 0;
  WalkEnd a;
  WalkEnd b;
  if (walkEnd(loop, *edge->a, true, forward, a) && walkEnd(loop, *edge->b, false, forward, b))
    walkStretches(loop, a, b, forward, [&](int, const XtGePoint2d& p, const XtGePoint2d& q) { add(p, q); });
  return true;
}

bool offsetEdgePathBetweenPoints(const COffsetEdge* edge, const CLoopPoint& from, const CLoopPoint& to,
                                 CFloorHeatingCurve::PtrVector& pieces) {
  pieces.clear();
  if (!hasBothNodes(edge)) return false;
  if (isStraightEdge(*edge))
    addPiece(pieces, from.point, to.point);
  else
    loopPieces(*edge, nodeOrPoint(*edge, from), nodeOrPoint(*edge, to), pieces);
  return true;
}

bool closestPointOnEdgePath(const COffsetEdge* edge, const XtGePoint2d& point, COffsetPoint& out,
                            const XtGeTol& tol) {
  out.clearLinks();
  if (!hasBothNodes(edge)) return false;
  if (isStraightEdge(*edge)) {
    const XtGePoint2d nearest = XtGeLineSeg2d(edge->a->point, edge->b->point).closestPointTo(point, workTolFine);
    if (nearest.isEqualTo(edge->a->point, tol)) {
      answerNode(*edge->a, out);
      return true;
    }
    if (nearest.isEqualTo(edge->b->point, tol)) {
      answerNode(*edge->b, out);
      return true;
    }
    return false;
  }
  const COffsetLoop& loop = *edge->a->owner;
  const bool forward = edge->direction != 0;
  WalkEnd a;
  WalkEnd b;
  if (!walkEnd(loop, *edge->a, true, forward, a) || !walkEnd(loop, *edge->b, false, forward, b)) return false;
  int bestSection = a.section;
  XtGePoint2d best = a.point;
  double bestDistance = -1.0;
  walkStretches(loop, a, b, forward, [&](int section, const XtGePoint2d& p, const XtGePoint2d& q) {
    const XtGePoint2d nearest = p.isEqualTo(q, workTol) ? p : XtGeLineSeg2d(p, q).closestPointTo(point, workTolFine);
    const double d = nearest.distanceTo(point);
    if (bestDistance < 0.0 || d < bestDistance) {
      bestDistance = d;
      best = nearest;
      bestSection = section;
    }
  });
  out.point = best;
  const COffsetSection* onSection = loop.section(bestSection);
  out.addLink(loop.elements[bestSection]);
  if (best.isEqualTo(onSection->startPoint(), tol)) out.addLink(loop.elements[loop.previousIndex(bestSection)]);
  if (best.isEqualTo(onSection->endPoint(), tol)) out.addLink(loop.elements[loop.nextIndex(bestSection)]);
  return true;
}
