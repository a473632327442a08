// The joins of the spiral's two run ends at its centre: in general through
// two join points, and by a zigzag of parallel runs inside a four-sided
// innermost loop.
#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LoopProjections.h"
#include "heating/layout/LoopStretch.h"
#include "heating/layout/OffsetGraphQueries.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <memory>

namespace {

// The first join point P1 on L and the second P2 on K when N has a next
// node along L: P2 `walk` (s in the usual join) along K from O against d, P1 the
// meeting nearest N of L with the normal ray at P2 (side -1, P2's section
// taken in the direction of O's unique outgoing edge).
bool joinPointsBesideNeighbour(const COffsetNode& n, const COffsetNode& o, bool d, double walk, bool oIsInRun,
                               CLoopPoint& p1, CLoopPoint& p2) {
  const COffsetEdge* out = oIsInRun ? incomingEdgeIfUnique(o) : outgoingEdgeIfUnique(o);
  XtGeRay2d ray;
  return out != nullptr && o.owner->walkFrom(o, !d, walk, p2, workTol) && p2.linkRay(out->direction != 0, ray, -1) &&
         n.owner->pickIntersection(ray, n, p1, workTol);
}

// Otherwise: P2 half K's length along K from O with d, P1 the best
// projection of P2 onto L from N in direction d.
bool joinPointsAcross(const COffsetNode& n, const COffsetNode& o, bool d, CLoopPoint& p1, CLoopPoint& p2) {
  const COffsetLoop& k = *o.owner;
  COffsetPoint best;
  if (!k.walkFrom(o, d, 0.5 * k.length(workTolFine), p2, workTol) || p2.point.isEqualTo(o.point, workTol) ||
      !bestProjectionOnLoop(*n.owner, p2.point, n, d ? 1 : 0, best, workTol))
    return false;
  p1.assignPointAndLinks(best);
  return true;
}

// Appends the closing edge (a, b) to the layout's edges.
void appendEdge(std::vector<COffsetEdge*>& edges, COffsetNode* a, COffsetNode* b, std::uint8_t direction) {
  edges.reserve(edges.size() + 1);
  edges.push_back(COffsetEdge::COffsetEdgeFromNodes(a, b, direction, false).release());
}

double stretchLength(const CFHLoopStretch& stretch) {
  double sum = 0.0;
  for (int i = 0; i < stretch.pieceCount(); ++i) sum += stretch.pieceLength(i);
  return sum;
}

// What the zigzag of the four-sided join runs between: the stretch of the
// inner loop Q it steps along, the line U-V on L's side G it turns at, and
// G's direction.
struct Zigzag {
  std::unique_ptr<CFHLoopStretch> inner;
  XtGeLine2d turnLine;
  XtGeVector2d along;
  // The piece of G the first stretch holds, from u to v.
  XtGePoint2d u;
  XtGePoint2d v;

  // Whether the point lies across from the piece (its foot on the line U-V
  // between U and V, workTol): a rung beyond it would turn on the stretch of
  // L the runs have laid, past the run end there.
  bool turnsBeside(const XtGePoint2d& p) const {
    const XtGeVector2d uv = v - u;
    const double length = uv.length();
    const double t = uv.dotProduct(p - u) / length;
    return t >= -workTol.equalPoint() && t <= length + workTol.equalPoint();
  }
};

// Prepares the zigzag between the ends n1 and n2 on L (walking the first
// stretch with f); false when a stretch, a projection or the corner trim
// fails.
bool prepareZigzag(const COffsetNode& n1, const COffsetNode& n2, const COffsetLoop& q, bool f, double s,
                   Zigzag& out) {
  const COffsetLoop& l = *n1.owner;
  const CFHLoopStretch first(l, n1, n2, f);
  const int g = polylinePieceForJoin(first);
  if (g < 0) return false;
  const COffsetSection& side = *l.section(g);
  const XtGePoint2d& gFrom = f ? side.startPoint() : side.endPoint();
  const XtGePoint2d& gTo = f ? side.endPoint() : side.startPoint();
  CLoopPoint from;
  CLoopPoint to;
  XtGePoint2d u;
  XtGePoint2d v;
  if (!q.closestPoint(gFrom, from, workTol) || !q.closestPoint(gTo, to, workTol) ||
      !polylinePieceEndPoints(first, g, u, v) || u.isEqualTo(v, workTol))
    return false;
  out.inner = std::make_unique<CFHLoopStretch>(q, from, to, !f);
  const CFloorHeatingLine cutting(u, v, nullptr, kTagTestLine);
  if (!trimPolylineCorner(*out.inner, cutting, s, workTol)) return false;
  out.turnLine = XtGeLine2d(u, v);
  out.u = u;
  out.v = v;
  out.along = side.endPoint() - side.startPoint();
  return true;
}

}  // namespace

bool CFHCircuitLayout::joinPathEnds(COffsetNode*& a, COffsetNode*& b, bool which, std::uint8_t direction) {
  COffsetNode*& moving = which ? b : a;
  const COffsetNode* other = which ? a : b;
  if (moving == nullptr || other == nullptr || moving->owner == nullptr || other->owner == nullptr) return false;
  const bool d = direction != 0;
  CLoopPoint p1;
  CLoopPoint p2;
  const bool beside = nextNodeOnLoop(*moving->owner, *moving, direction, workTol) != nullptr &&
                      joinPointsBesideNeighbour(*moving, *other, d, spacing, which, p1, p2);
  if (!beside && !joinPointsAcross(*moving, *other, d, p1, p2)) return false;
  COffsetNode* node = extendRunEndAt(moving, p1, moving->owner, direction, which);
  moving = extendRunEndAt(node, p2, other->owner, direction, which);
  return true;
}

bool joinPathEndsFartherBack(CFHCircuitLayout& layout, COffsetNode*& a, COffsetNode*& b, bool which,
                             std::uint8_t direction, double walk) {
  COffsetNode*& moving = which ? b : a;
  const COffsetNode* other = which ? a : b;
  if (moving == nullptr || other == nullptr || moving->owner == nullptr || other->owner == nullptr ||
      !(walk > 0.0) || !std::isfinite(walk))
    return false;
  const bool d = direction != 0;
  const COffsetLoop& l = *moving->owner;
  const COffsetNode* next = nextNodeOnLoop(l, *moving, direction, workTol);
  CLoopPoint p1;
  CLoopPoint p2;
  if (next == nullptr || !joinPointsBesideNeighbour(*moving, *other, d, walk, which, p1, p2)) return false;
  // P1 must lie on the free way ahead of the moving end, short of its next
  // node, and P2 on the free way behind the other end.
  const double ahead = l.lengthBetween(*moving, p1, d, workTol);
  const COffsetNode* behind = nextNodeOnLoop(*other->owner, *other, d ? 0 : 1, workTol);
  if (!(ahead < l.lengthBetween(*moving, *next, d, workTol) - workTol.equalPoint()) ||
      (behind != nullptr &&
       !(walk < other->owner->lengthBetween(*other, *behind, !d, workTol) - workTol.equalPoint())))
    return false;
  COffsetNode* node = layout.extendRunEndAt(moving, p1, moving->owner, direction, which);
  moving = layout.extendRunEndAt(node, p2, other->owner, direction, which);
  return true;
}

bool CFHCircuitLayout::joinEndsInFourSidedLoop(COffsetNode*& a, COffsetNode*& b, COffsetLoop* loop, bool which) {
  if (loop == nullptr || loop->sectionCount() != 4 || a == nullptr || b == nullptr || a == b) return false;
  COffsetNode* moving = which ? b : a;
  COffsetNode* other = which ? a : b;
  COffsetLoop* l = moving->owner;
  const double s = spacing;
  if (l == nullptr || other->owner != l || !(s > 0.0) || !std::isfinite(s)) return false;
  // The shorter way round from the moving end to the other; where both are
  // as long (a loop drawn symmetric), the forward one, however their last
  // bits fall.
  const bool f = l->lengthBetween(*moving, *other, false, workTol) <
                 l->lengthBetween(*moving, *other, true, workTol) - workTol.equalPoint();
  Zigzag zigzag;
  if (!prepareZigzag(*moving, *other, *loop, f, s, zigzag)) return false;

  // Each step uses up 2 s of the inner stretch; the trims fail once it is.
  const double bound = std::floor(stretchLength(*zigzag.inner) / s) + 2.0;
  const std::uint8_t onL = f ? 1 : 0;
  const std::uint8_t onQ = f ? 0 : 1;
  for (int step = 0; step < bound; ++step) {
    CFHLoopStretch& inner = *zigzag.inner;
    CLoopPoint r1;
    CLoopPoint r2;
    if (!trimPolylineStartAlong(inner, zigzag.along, s, workTol) ||
        !loop->closestPoint(inner.start.point, r1, workTol) ||
        !trimPolylineStartAlong(inner, zigzag.along, s, workTol) ||
        !loop->closestPoint(inner.start.point, r2, workTol))
      break;
    if (!zigzag.turnsBeside(r1.point) || !zigzag.turnsBeside(r2.point)) break;
    CLoopPoint u;
    CLoopPoint v;
    if (!l->closestPoint(zigzag.turnLine.closestPointTo(r1.point), u, workTol) ||
        !l->closestPoint(zigzag.turnLine.closestPointTo(r2.point), v, workTol))
      break;
    if (u.point.isEqualTo(v.point, workTol)) continue;
    moving = extendRunEndAt(moving, u, l, onL, which);
    moving = extendRunEndAt(moving, r1, loop, onQ, which);
    moving = extendRunEndAt(moving, r2, loop, onQ, which);
    moving = extendRunEndAt(moving, v, l, onL, which);
  }
  if (moving->point.isEqualTo(other->point, workTol)) moving = removeDanglingNode(moving);
  (which ? b : a) = moving;
  appendEdge(edges, a, b, f != which ? 1 : 0);
  a = b;
  return true;
}
