#include "geometry/curveSplitting.h"

#include "geometry/Tolerances.h"
#include "geometry/clipCurveToFrame.h"
#include "geometry/curveCopying.h"
#include "geometry/forEachSimplePiece.h"
#include "geometry/hvArrayEdit.h"
#include "geometry/regionCombination.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isStraight(int type) {
  return type == XtGe::kLine2d || type == XtGe::kRay2d || type == XtGe::kLineSeg2d;
}

// Cuts one simple piece; cuts is scratch space kept between pieces.
void splitSimplePiece(const XtGeCurve2d& piece, const XtGeCurve2d& cutter, curvePtrArray& pieces,
                      std::vector<double>& cuts) {
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  if (iv.isBounded() &&
      piece.xtLength(iv.lowerBound(), iv.upperBound(), XtGeContext::gTol) == 0.0) {
    appendOwnedCurve(pieces, std::unique_ptr<XtGeCurve2d>(copyCurve2d(&piece)));
    return;
  }
  cuts.clear();
  appendIntersectionParams(XtGeCurveCurveInt2d(piece, cutter, workTol), cuts);
  // Vertices of the cutter that only touch the piece.
  XtGeBoundBlock2d box = piece.xtOrthoBoundBlock();
  box.swell(workTol.equalPoint());
  forEachSimplePiece(cutter, [&](const XtGeCurve2d& cutterPiece) {
    XtGePoint2d p;
    double t = 0.0;
    if (cutterPiece.hasStartPoint(p) && box.contains(p) && piece.isOn(p, t, workTol)) cuts.push_back(t);
    if (cutterPiece.hasEndPoint(p) && box.contains(p) && piece.isOn(p, t, workTol)) cuts.push_back(t);
    return true;
  });
  if (!appendCurvePartsAt(piece, cuts, workTol.equalPoint(), pieces))
    appendOwnedCurve(pieces, std::unique_ptr<XtGeCurve2d>(copyCurve2d(&piece)));
}

// The end points of a piece; false when it lacks one.
bool endsOf(const XtGeCurve2d& curve, XtGePoint2d& start, XtGePoint2d& end) {
  return curve.hasStartPoint(start) && curve.hasEndPoint(end);
}

// The path along the pieces of the open curve from p1 to p2: the pieces
// move (turned where they run backwards) from `pieces` into `path`. A walk
// that strands is thrown away and the next starts afresh with the pieces
// left; every walk uses at least one piece, so there are at most as many
// walks as pieces. False when no walk reaches p2.
bool pathBetween(curvePtrArray& pieces, const XtGePoint2d& p1, const XtGePoint2d& p2,
                 std::vector<std::unique_ptr<XtGeCurve2d>>& path) {
  const int n = pieces.count();
  for (int walk = 0; walk < n; ++walk) {
    path.clear();
    XtGePoint2d at = p1;
    for (int step = 0; step < n; ++step) {
      int found = -1;
      bool backwards = false;
      XtGePoint2d start;
      XtGePoint2d end;
      for (int i = 0; i < n && found < 0; ++i) {
        if (pieces[i] == nullptr || !endsOf(*pieces[i], start, end)) continue;
        if (start.isEqualTo(at, workTol)) {
          found = i;
        } else if (end.isEqualTo(at, workTol)) {
          found = i;
          backwards = true;
        }
      }
      if (found < 0) break;
      std::unique_ptr<XtGeCurve2d> piece(pieces[found]);
      pieces[found] = nullptr;
      if (backwards) {
        piece->reverseParam();
        std::swap(start, end);
      }
      path.push_back(std::move(piece));
      at = end;
      if (at.isEqualTo(p2, workTol)) return true;
    }
    if (path.empty()) return false;
  }
  path.clear();
  return false;
}

// Divides the pieces of the closed curve into the side that runs from p1 to
// p2 (taken) and the rest. False when no run of pieces joins p1 to p2.
bool divideSides(curvePtrArray& pieces, const XtGePoint2d& p1, const XtGePoint2d& p2,
                 std::vector<bool>& taken) {
  const int n = pieces.count();
  taken.assign(static_cast<std::size_t>(n), false);
  if (n == 0) return false;
  if (n < 3) {
    taken[n - 1] = true;
    return true;
  }
  for (int i = 0; i < n; ++i) {
    if (pieces[i] != nullptr && pieces[i]->isOn(p1, workTol) && pieces[i]->isOn(p2, workTol)) {
      taken[i] = true;
      return true;
    }
  }
  XtGePoint2d at = p1;
  for (int step = 0; step < n; ++step) {
    int next = -1;
    XtGePoint2d start;
    XtGePoint2d end;
    for (int i = 0; i < n && next < 0; ++i)
      if (!taken[i] && pieces[i] != nullptr && endsOf(*pieces[i], start, end) &&
          start.isEqualTo(at, workTol))
        next = i;
    if (next < 0) return false;
    taken[next] = true;
    at = end;
    if (at.isEqualTo(p2, workTol)) return true;
  }
  return false;
}

// Explodes and chains one side; the chain when it is one closed curve.
std::unique_ptr<XtGeCurve2d> closedChainOf(curvePtrArray& side) {
  explodeCurveList(side);
  curveList::joinAll(side);
  if (side.count() != 1 || side[0] == nullptr || !side[0]->xtIsClosed(workTol)) return nullptr;
  std::unique_ptr<XtGeCurve2d> chain(side[0]);
  side[0] = nullptr;
  return chain;
}

}  // namespace

std::unique_ptr<XtGeCurve2d> curvePartBetween(const XtGeCurve2d& curve, double t0, double t1) {
  if (!(t0 < t1)) return nullptr;
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (iv.isBounded()) {
    if (!std::isfinite(t0) || !std::isfinite(t1)) return nullptr;
    std::unique_ptr<XtGeCurve2d> part(copyCurve2d(&curve));
    if (part && !part->setInterval(XtGeInterval(t0, t1))) part.reset();
    return part;
  }
  if (!isStraight(curve.type())) return nullptr;
  const auto& straight = static_cast<const XtGeLinearEnt2d&>(curve);
  const XtGeVector2d along = straight.parameterVector();
  const bool fromPoint = std::isfinite(t0);
  const bool toPoint = std::isfinite(t1);
  if (!fromPoint && !toPoint) return std::unique_ptr<XtGeCurve2d>(copyCurve2d(&curve));
  const XtGePoint2d from = fromPoint ? curve.xtEvalPoint(t0) : XtGePoint2d();
  const XtGePoint2d to = toPoint ? curve.xtEvalPoint(t1) : XtGePoint2d();
  if (!from.isFinite() || !to.isFinite()) return nullptr;
  if (fromPoint && toPoint) return std::make_unique<XtGeLineSeg2d>(from, to);
  if (fromPoint) return std::make_unique<XtGeRay2d>(from, along);
  auto ray = std::make_unique<XtGeRay2d>(to, -along);
  ray->reverseParam();
  return ray;
}

void appendIntersectionParams(const XtGeCurveCurveInt2d& hits, std::vector<double>& params) {
  for (int i = 0; i < hits.numIntPoints(); ++i) {
    double t = 0.0;
    double onOther = 0.0;
    if (hits.getIntParams(i, t, onOther)) params.push_back(t);
  }
  for (int i = 0; i < hits.overlapCount(); ++i) {
    XtGeInterval onFirst;
    XtGeInterval onOther;
    if (!hits.getOverlapRanges(i, onFirst, onOther)) continue;
    if (onFirst.isBoundedBelow()) params.push_back(onFirst.lowerBound());
    if (onFirst.isBoundedAbove()) params.push_back(onFirst.upperBound());
  }
}

bool appendCurvePartsAt(const XtGeCurve2d& curve, std::vector<double>& cuts, double minLength,
                        curvePtrArray& parts) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  const double lo = iv.isBoundedBelow() ? iv.lowerBound() : -kInfinity;
  const double hi = iv.isBoundedAbove() ? iv.upperBound() : kInfinity;
  cuts.erase(std::remove_if(cuts.begin(), cuts.end(), [&](double t) { return !(t > lo && t < hi); }),
             cuts.end());
  std::sort(cuts.begin(), cuts.end());
  // Lengths towards an infinite end never count as short.
  auto longer = [&](double a, double b) {
    return !std::isfinite(a) || !std::isfinite(b) || curve.xtLength(a, b) > minLength;
  };
  // The kept cuts are compacted to the front of the array.
  std::size_t kept = 0;
  for (const double t : cuts) {
    const double previous = kept == 0 ? lo : cuts[kept - 1];
    if (longer(previous, t) && longer(t, hi)) cuts[kept++] = t;
  }
  cuts.resize(kept);
  if (cuts.empty()) return false;
  const int first = parts.count();
  for (std::size_t k = 0; k <= cuts.size(); ++k) {
    const double t0 = k == 0 ? lo : cuts[k - 1];
    const double t1 = k == cuts.size() ? hi : cuts[k];
    if (!appendOwnedCurve(parts, curvePartBetween(curve, t0, t1))) {
      for (int i = first; i < parts.count(); ++i) delete parts[i];
      hvArrayTruncate(parts, first);
      return false;
    }
  }
  return true;
}

void splitCurveAtCurve(const XtGeCurve2d& curve, const XtGeCurve2d& cutter, curvePtrArray& pieces) {
  std::vector<double> cuts;
  forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) {
    splitSimplePiece(piece, cutter, pieces, cuts);
    return true;
  });
}

int intersectAndSplitPair(const XtGeCurve2d& openCurve, const XtGeCurve2d& closedCurve,
                          curvePtrArray& out) {
  // The two distinct crossings, first along the open curve.
  const XtGeCurveCurveInt2d hits(openCurve, closedCurve, XtGeContext::gTol);
  if (hits.overlapCount() > 0 || hits.numIntPoints() < 2) return 0;
  int second = -1;
  for (int i = 1; i < hits.numIntPoints(); ++i) {
    const XtGePoint2d p = hits.intPoint(i);
    if (p.isEqualTo(hits.intPoint(0), XtGeContext::gTol)) continue;
    if (second < 0) {
      second = i;
    } else if (!p.isEqualTo(hits.intPoint(second), XtGeContext::gTol)) {
      return 0;
    }
  }
  if (second < 0) return 0;
  if (openCurve.xtIsClosed(workTol) || !closedCurve.xtIsClosed(workTol)) return 0;
  double t1 = 0.0;
  double t2 = 0.0;
  double onClosed = 0.0;
  if (!hits.getIntParams(0, t1, onClosed) || !hits.getIntParams(second, t2, onClosed)) return 0;
  const XtGePoint2d p1 = openCurve.xtEvalPoint(t1);
  const XtGePoint2d p2 = openCurve.xtEvalPoint(t2);

  ownedCurveList openPieces;
  splitCurveAtCurve(openCurve, closedCurve, openPieces.list);
  std::vector<std::unique_ptr<XtGeCurve2d>> pathPieces;
  if (!pathBetween(openPieces.list, p1, p2, pathPieces)) return 0;
  auto path = std::make_unique<XtGeCompositeCurve2d>(std::move(pathPieces));

  ownedCurveList closedPieces;
  splitCurveAtCurve(closedCurve, openCurve, closedPieces.list);
  std::vector<bool> taken;
  if (!divideSides(closedPieces.list, p1, p2, taken)) return 0;
  ownedCurveList takenSide;
  ownedCurveList otherSide;
  for (int i = 0; i < closedPieces.list.count(); ++i) {
    if (!appendOwnedCurve(taken[i] ? takenSide.list : otherSide.list,
                          std::unique_ptr<XtGeCurve2d>(closedPieces.list[i])))
      return 0;
    closedPieces.list[i] = nullptr;
  }
  if (!appendOwnedCurve(otherSide.list, std::unique_ptr<XtGeCurve2d>(path->copy())) ||
      !appendOwnedCurve(takenSide.list, std::move(path)))
    return 0;
  std::unique_ptr<XtGeCurve2d> other = closedChainOf(otherSide.list);
  std::unique_ptr<XtGeCurve2d> mine = closedChainOf(takenSide.list);
  if (!other || !mine) return 0;
  const int count = out.count();
  if (!appendOwnedCurve(out, std::move(other)) || !appendOwnedCurve(out, std::move(mine))) {
    for (int i = count; i < out.count(); ++i) delete out[i];
    hvArrayTruncate(out, count);
    return 0;
  }
  return 1;
}

void splitCurvesAtIntersections(const XtGeCurve2d& curve, const XtGeCurve2d& frame, curvePtrArray& out,
                                bool cutOnlyFirst) {
  if (cutOnlyFirst) {
    clipCurveToFrame(curve, frame, out);
    return;
  }
  combineClosedCurves(curve, frame, out, true, nullptr, false);
}
