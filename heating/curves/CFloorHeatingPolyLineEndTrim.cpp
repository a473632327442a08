// Trimming a circuit's pipe path to its stretch between two points and
// dropping a bend too short for the pipe at its front or back; trimming a
// drawn lead to its stretch between its zone's wall and the manifold, with
// its corners as they were before the output rounded them.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CLoop.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLine2d.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <numbers>

namespace {

enum class PathEnd { front, back };

using Pieces = std::vector<std::unique_ptr<XtGeCurve2d>>;

// Copies of the pieces of the stretch from s to e, which become its exact
// ends; false when either is not on the composite or s lies after e.
bool stretchPieces(const XtGeCompositeCurve2d& composite, const XtGePoint2d& s, const XtGePoint2d& e,
                   Pieces& pieces) {
  double ts = 0.0;
  double te = 0.0;
  if (composite.numCurves() == 0 || !composite.isOn(s, ts, workTol) || !composite.isOn(e, te, workTol) || !(ts < te))
    return false;
  XtGeCompositeCurve2d stretch(composite);
  if (!stretch.setInterval(XtGeInterval(ts, te)) || stretch.numCurves() == 0) return false;
  for (int i = 0; i < stretch.numCurves(); ++i) pieces.emplace_back(stretch.curveAt(i)->copy());
  XtGePoint2d p;
  XtGeCurve2d& head = *pieces.front();
  if (head.hasEndPoint(p)) setPieceEndPoints(head, s, p);
  XtGeCurve2d& tail = *pieces.back();
  if (tail.hasStartPoint(p)) setPieceEndPoints(tail, p, e);
  return true;
}

// Index of the first piece, walking from the given end, that is itself
// `bend` long or brings the walked length to it; -1 when none does.
int firstPieceReaching(const Pieces& pieces, double bend, PathEnd end) {
  const int n = static_cast<int>(pieces.size());
  double walked = 0.0;
  for (int step = 0; step < n; ++step) {
    const int k = end == PathEnd::front ? step : n - 1 - step;
    const double length = pieces[static_cast<std::size_t>(k)]->length();
    walked += length;
    if (length >= bend || walked >= bend) return k;
  }
  return -1;
}

bool trimPathEnd(CFloorHeatingPolyLine& path, const XtGePoint2d& s, const XtGePoint2d& e, double r, const CLoop& loop,
                 PathEnd end) {
  Pieces pieces;
  if (!stretchPieces(path.composite(), s, e, pieces)) return false;
  const double bend = std::numbers::pi * r;
  const int k = firstPieceReaching(pieces, bend, end);
  if (k >= 0 && pieces[static_cast<std::size_t>(k)]->type() == XtGe::kLineSeg2d &&
      pieces[static_cast<std::size_t>(k)]->length() > bend) {
    auto& segment = static_cast<XtGeLineSeg2d&>(*pieces[static_cast<std::size_t>(k)]);
    const XtGePoint2d outer = end == PathEnd::front ? segment.startPoint() : segment.endPoint();
    const XtGePoint2d inner = end == PathEnd::front ? segment.endPoint() : segment.startPoint();
    CLoopPoint hit;
    if (loop.pickIntersection(XtGeRay2d(outer, outer - inner), CLoopPoint(outer), hit, workTol)) {
      if (end == PathEnd::front) {
        segment.set(hit.point, inner);
        pieces.erase(pieces.begin(), pieces.begin() + k);
      } else {
        segment.set(inner, hit.point);
        pieces.erase(pieces.begin() + k + 1, pieces.end());
      }
    }
  }
  path.setComposite(XtGeCompositeCurve2d(std::move(pieces)));
  return true;
}

// The bend at the wall end of a lead's stretch (an arc cut by the wall),
// replaced by the straight line the lead ran on into that bend: from the
// arc's other end along its tangent there to the loop. Unchanged when the
// piece is no arc, or the line meets the loop farther than half a turn of the
// arc away (a wall that bends away from the lead).
void straightenWallBend(Pieces& pieces, const CLoop& loop, PathEnd wallEnd) {
  XtGeCurve2d& bend = wallEnd == PathEnd::front ? *pieces.front() : *pieces.back();
  if (bend.type() != XtGe::kCircArc2d) return;
  XtGeInterval range;
  bend.getInterval(range);
  const double atLead = wallEnd == PathEnd::front ? range.upperBound() : range.lowerBound();
  const double atWall = wallEnd == PathEnd::front ? range.lowerBound() : range.upperBound();
  XtGeVector2dArray derivatives;
  const XtGePoint2d lead = bend.evalPoint(atLead, 1, derivatives);
  const XtGePoint2d wall = bend.evalPoint(atWall);
  if (derivatives.length() < 1 || derivatives[0].length() <= 0.0) return;
  XtGeVector2d towardWall = derivatives[0];
  if (towardWall.dotProduct(wall - lead) < 0.0) towardWall = -towardWall;
  CLoopPoint hit;
  if (!loop.pickIntersection(XtGeRay2d(lead, towardWall), CLoopPoint(lead), hit, workTol)) return;
  const double reach = std::numbers::pi * static_cast<const XtGeCircArc2d&>(bend).radius();
  if (hit.point.distanceTo(lead) > reach + workTol.equalPoint()) return;
  // The lead's last straight piece, when it runs on the tangent, takes the
  // run to the wall itself: the lead keeps its drawn vertices.
  const bool front = wallEnd == PathEnd::front;
  XtGeCurve2d* before = pieces.size() > 1 ? (front ? pieces[1].get() : pieces[pieces.size() - 2].get()) : nullptr;
  if (before != nullptr && before->type() == XtGe::kLineSeg2d) {
    auto& segment = static_cast<XtGeLineSeg2d&>(*before);
    const XtGePoint2d far = front ? segment.endPoint() : segment.startPoint();
    if (segment.length() > workTol.equalPoint() && (lead - far).isParallelTo(towardWall, workTol)) {
      if (front) segment.set(hit.point, far);
      else segment.set(far, hit.point);
      if (front) pieces.erase(pieces.begin());
      else pieces.pop_back();
      return;
    }
  }
  if (hit.point.distanceTo(lead) <= workTol.equalPoint()) {
    // The bend began on the wall: nothing is left of it.
    if (front) pieces.erase(pieces.begin());
    else pieces.pop_back();
    return;
  }
  (front ? pieces.front() : pieces.back()) = front ? std::make_unique<XtGeLineSeg2d>(hit.point, lead)
                                                   : std::make_unique<XtGeLineSeg2d>(lead, hit.point);
}

// The ends of the arc and its directions of travel there, from start to end;
// false when a direction cannot be had.
bool arcEnds(const XtGeCurve2d& arc, XtGePoint2d& s, XtGeVector2d& ds, XtGePoint2d& e, XtGeVector2d& de) {
  XtGeInterval range;
  arc.getInterval(range);
  XtGeVector2dArray atStart, atEnd;
  s = arc.evalPoint(range.lowerBound(), 1, atStart);
  e = arc.evalPoint(range.upperBound(), 1, atEnd);
  if (atStart.length() < 1 || atEnd.length() < 1 || !(atStart[0].length() > 0.0) || !(atEnd[0].length() > 0.0))
    return false;
  // Along the arc from s to e both point to the side of the chord's end.
  ds = atStart[0].dotProduct(e - s) < 0.0 ? -atStart[0] : atStart[0];
  de = atEnd[0].dotProduct(e - s) < 0.0 ? -atEnd[0] : atEnd[0];
  return true;
}

// Every corner the output rounded with the bend radius r gets its corner
// back: a bend of radius r between two straight pieces makes way for the
// point where its tangents at its ends meet (as far from both ends: a
// rounding always is). When the bend is tangent to both pieces, they run on
// to that point. When it is tangent to one only, and meets the other at a
// sharp corner, the rounding used up the piece between its corner and that
// one (a piece exactly as long as the rounding takes, the next corner left
// sharp): the piece comes back, from the point to the bend's other end.
void sharpenRoundedCorners(Pieces& pieces, double r) {
  const double near = workTol.equalPoint();
  if (!(r > near)) return;
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
    if (pieces[i]->type() != XtGe::kCircArc2d || pieces[i - 1]->type() != XtGe::kLineSeg2d ||
        pieces[i + 1]->type() != XtGe::kLineSeg2d ||
        std::abs(static_cast<const XtGeCircArc2d&>(*pieces[i]).radius() - r) > near)
      continue;
    auto& before = static_cast<XtGeLineSeg2d&>(*pieces[i - 1]);
    auto& after = static_cast<XtGeLineSeg2d&>(*pieces[i + 1]);
    const XtGeVector2d u = before.endPoint() - before.startPoint();
    const XtGeVector2d v = after.endPoint() - after.startPoint();
    XtGePoint2d s, e, corner;
    XtGeVector2d ds, de;
    if (u.length() <= near || v.length() <= near || !arcEnds(*pieces[i], s, ds, e, de) ||
        !XtGeLine2d(s, ds).intersectWith(XtGeLine2d(e, de), corner, workTol))
      continue;
    // The corner lies ahead of the bend's start and behind its end, as far
    // from both.
    const double ahead = (corner - s).dotProduct(ds.normal());
    const double behind = (e - corner).dotProduct(de.normal());
    if (ahead < -near || behind < -near || std::abs(ahead - behind) > 2.0 * near) continue;
    const bool fromBefore = u.isParallelTo(ds, workTol) && u.dotProduct(ds) > 0.0;
    const bool intoAfter = v.isParallelTo(de, workTol) && v.dotProduct(de) > 0.0;
    if (fromBefore && intoAfter) {
      before.set(before.startPoint(), corner);
      after.set(corner, after.endPoint());
      pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (fromBefore) {
      before.set(before.startPoint(), corner);
      pieces[i] = std::make_unique<XtGeLineSeg2d>(corner, e);
    } else if (intoAfter) {
      pieces[i] = std::make_unique<XtGeLineSeg2d>(s, corner);
      after.set(corner, after.endPoint());
    }
  }
}

}  // namespace

bool CFloorHeatingPolyLine::trimLeadAtWall(const XtGePoint2d& s, const XtGePoint2d& e, bool wallAtStart, double r,
                                           const CLoop& loop) {
  Pieces pieces;
  if (!stretchPieces(composite(), s, e, pieces)) return false;
  straightenWallBend(pieces, loop, wallAtStart ? PathEnd::front : PathEnd::back);
  sharpenRoundedCorners(pieces, r);
  if (pieces.empty()) return false;
  setComposite(XtGeCompositeCurve2d(std::move(pieces)));
  return true;
}

bool CFloorHeatingPolyLine::circuitSegmentPassA(const XtGePoint2d& s, const XtGePoint2d& e, double r,
                                                const CLoop& loop) {
  return trimPathEnd(*this, s, e, r, loop, PathEnd::front);
}

bool CFloorHeatingPolyLine::circuitSegmentPassB(const XtGePoint2d& s, const XtGePoint2d& e, double r,
                                                const CLoop& loop) {
  return trimPathEnd(*this, s, e, r, loop, PathEnd::back);
}
