// Trimming a circuit's pipe path to its stretch between two points and
// dropping a bend too short for the pipe at its front or back.
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CLoop.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

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

}  // namespace

bool CFloorHeatingPolyLine::circuitSegmentPassA(const XtGePoint2d& s, const XtGePoint2d& e, double r,
                                                const CLoop& loop) {
  return trimPathEnd(*this, s, e, r, loop, PathEnd::front);
}

bool CFloorHeatingPolyLine::circuitSegmentPassB(const XtGePoint2d& s, const XtGePoint2d& e, double r,
                                                const CLoop& loop) {
  return trimPathEnd(*this, s, e, r, loop, PathEnd::back);
}
