#include "geometry/regionCombination.h"

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "geometry/curveCopying.h"
#include "geometry/curveSplitting.h"
#include "geometry/forEachSimplePiece.h"
#include "geometry/savedTolerance.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

namespace {

struct relationFindings {
  bool inside = false;
  bool outside = false;
  bool on = false;
};

void noteSample(const XtGePoint2d& p, const XtGeCurve2d& closedCurve, relationFindings& found) {
  switch (classifyPointInCurve(p, closedCurve)) {
    case kPositionInside: found.inside = true; break;
    case kPositionOutside: found.outside = true; break;
    default: found.on = true; break;
  }
}

// Samples the simple piece once between every two neighbouring cuts (hits,
// ends of stretches along the closed curve, its bounds and its middle) and
// at its end. params is scratch space kept between pieces.
void classifySimplePiece(const XtGeCurve2d& piece, const XtGeCurve2d& closedCurve,
                         relationFindings& found, std::vector<double>& params) {
  params.clear();
  const XtGeCurveCurveInt2d hits(piece, closedCurve, XtGeContext::gTol);
  if (hits.numIntPoints() > 0 || hits.overlapCount() > 0) found.on = true;
  appendIntersectionParams(hits, params);
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  // An unbounded piece runs off beyond any closed curve.
  if (iv.isBoundedBelow()) params.push_back(iv.lowerBound()); else found.outside = true;
  if (iv.isBoundedAbove()) params.push_back(iv.upperBound()); else found.outside = true;
  if (iv.isBounded()) params.push_back(0.5 * (iv.lowerBound() + iv.upperBound()));
  params.erase(std::remove_if(params.begin(), params.end(), [](double t) { return !std::isfinite(t); }),
               params.end());
  std::sort(params.begin(), params.end());
  for (std::size_t k = 1; k < params.size(); ++k)
    noteSample(piece.xtEvalPoint(0.5 * (params[k - 1] + params[k])), closedCurve, found);
  if (iv.isBounded()) noteSample(piece.xtEvalPoint(iv.upperBound()), closedCurve, found);
}

// The position of every piece (in order along its curve) against the
// closed curve. Pieces were cut wherever they meet the closed curve, so the
// pieces of a run whose joints do not touch it lie on one side: the longest
// piece of the run is classified for all of it. A run that this leaves
// undecided (on the boundary) is classified piece by piece.
std::vector<int> positionsOf(const curvePtrArray& pieces, const XtGeCurve2d& closedCurve) {
  const int n = pieces.count();
  std::vector<int> positions(static_cast<std::size_t>(n), kPositionOn);
  int runStart = 0;
  for (int i = 0; i < n; ++i) {
    XtGePoint2d joint;
    XtGePoint2d next;
    const bool runGoesOn = i + 1 < n && pieces[i]->hasEndPoint(joint) &&
                           pieces[i + 1]->hasStartPoint(next) && next.isEqualTo(joint, workTol) &&
                           !closedCurve.isOn(joint, workTol);
    if (runGoesOn) continue;
    int longest = runStart;
    double longestLength = -1.0;
    for (int k = runStart; k <= i; ++k) {
      double length = 0.0;
      if (boundedCurveLength(*pieces[k], length) && length > longestLength) {
        longest = k;
        longestLength = length;
      }
    }
    const int position = classifyCurveInCurve(*pieces[longest], closedCurve);
    for (int k = runStart; k <= i; ++k)
      positions[k] = position != kPositionOn || k == longest ? position
                                                             : classifyCurveInCurve(*pieces[k], closedCurve);
    runStart = i + 1;
  }
  return positions;
}

// Moves entry i of one owning list to the end of another.
void moveCurve(curvePtrArray& from, int i, curvePtrArray& to) {
  appendOwnedCurve(to, std::unique_ptr<XtGeCurve2d>(from[i]));
  from[i] = nullptr;
}

void deleteCurve(curvePtrArray& list, int i) {
  delete list[i];
  list[i] = nullptr;
}

// The distinct end points of the kept pieces (workTol) with how many piece
// ends meet at each.
class endPointCounts {
 public:
  void add(const XtGeCurve2d& curve) {
    XtGePoint2d p;
    if (curve.hasStartPoint(p)) raise(p);
    if (curve.hasEndPoint(p)) raise(p);
  }
  void raise(const XtGePoint2d& p) {
    for (entry& e : m_entries) {
      if (e.point.isEqualTo(p, workTol)) {
        ++e.uses;
        return;
      }
    }
    m_entries.push_back({p, 1});
  }
  template <typename Visit>
  void forEachOdd(Visit&& visit) const {
    for (const entry& e : m_entries)
      if (e.uses % 2 == 1 && !visit(e.point)) return;
  }

 private:
  struct entry {
    XtGePoint2d point;
    int uses = 0;
  };
  std::vector<entry> m_entries;
};

bool touches(const XtGeCurve2d& curve, const XtGePoint2d& p) {
  XtGePoint2d q;
  return (curve.hasStartPoint(q) && q.isEqualTo(p, workTol)) ||
         (curve.hasEndPoint(q) && q.isEqualTo(p, workTol));
}

// True when the piece's ends and middle lie on the curve: it repeats it.
bool runsAlong(const XtGeCurve2d& piece, const XtGeCurve2d& curve, bool middleToo) {
  XtGePoint2d s;
  XtGePoint2d e;
  if (!piece.hasStartPoint(s) || !piece.hasEndPoint(e)) return false;
  if (!curve.isOn(s, workTol) || !curve.isOn(e, workTol)) return false;
  if (!middleToo) return true;
  XtGeInterval iv(XtGe::kIntervalTol);
  piece.getInterval(iv);
  return curve.isOn(piece.xtEvalPoint(0.5 * (iv.lowerBound() + iv.upperBound())), workTol);
}

// The chain, closed: as it is when its ends meet; an open composite gets a
// line segment from its end to its start; an open simple curve gives null.
std::unique_ptr<XtGeCurve2d> closedChain(std::unique_ptr<XtGeCurve2d> chain) {
  if (chain->xtIsClosed(workTol)) return chain;
  XtGePoint2d start;
  XtGePoint2d end;
  if (chain->type() != XtGe::kCompositeCrv2d || !chain->hasStartPoint(start) || !chain->hasEndPoint(end))
    return nullptr;
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  bool copied = true;
  forEachSimplePiece(*chain, [&](const XtGeCurve2d& piece) {
    std::unique_ptr<XtGeCurve2d> copy(copyCurve2d(&piece));
    copied = copy != nullptr;
    if (copied) pieces.push_back(std::move(copy));
    return copied;
  });
  if (!copied) return nullptr;
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(end, start));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
}

// Two pieces, as (earlier, later), that start at the same point (workTol);
// {-1, -1} when no two do. The starts are taken in order of x and compared
// only with those whose x lies within the tolerance.
std::pair<int, int> repeatedStart(const std::vector<XtGePoint2d>& starts, std::vector<int>& order) {
  const int n = static_cast<int>(starts.size());
  order.resize(starts.size());
  for (int i = 0; i < n; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](int a, int b) { return starts[a].x < starts[b].x; });
  const double reach = workTol.equalPoint();
  for (int k = 0; k < n; ++k)
    for (int m = k + 1; m < n && starts[order[m]].x - starts[order[k]].x <= reach; ++m)
      if (starts[order[k]].isEqualTo(starts[order[m]], workTol))
        return std::minmax(order[k], order[m]);
  return {-1, -1};
}

using pieceList = std::vector<std::unique_ptr<XtGeCurve2d>>;

// Splits the pieces of a closed chain wherever it passes a vertex a second
// time into loops that pass none twice. Pieces i..j-1 between two visits of
// a vertex close a loop and so do the others; both are shorter than the
// chain, so the splits end after fewer splits than pieces.
std::vector<pieceList> simpleLoops(pieceList chain) {
  std::vector<pieceList> pending;
  pending.push_back(std::move(chain));
  std::vector<pieceList> loops;
  std::vector<XtGePoint2d> starts;
  std::vector<int> order;
  while (!pending.empty()) {
    pieceList pieces = std::move(pending.back());
    pending.pop_back();
    starts.assign(pieces.size(), XtGePoint2d());
    for (std::size_t i = 0; i < pieces.size(); ++i) pieces[i]->hasStartPoint(starts[i]);
    const auto [from, to] = repeatedStart(starts, order);
    if (from < 0) {
      loops.push_back(std::move(pieces));
      continue;
    }
    pieceList inner(std::make_move_iterator(pieces.begin() + from), std::make_move_iterator(pieces.begin() + to));
    pieces.erase(pieces.begin() + from, pieces.begin() + to);
    pending.push_back(std::move(inner));
    pending.push_back(std::move(pieces));
  }
  return loops;
}

// Appends the closed chain to the result as simple closed curves. A chain
// that passes one of its vertices twice (regions that meet at a point, or a
// hole that touches its outline, chained in one go) may run round one of
// its loops the wrong way, which cancels area and turns inside out; it is
// split into its loops, which then run counter-clockwise round a region and
// clockwise round a hole (a loop inside an odd number of the others). Loops
// that enclose no area are left out.
void appendSimpleLoops(std::unique_ptr<XtGeCurve2d> chain, curvePtrArray& result) {
  if (!chain) return;
  std::vector<XtGePoint2d> starts;
  const bool walked =
      forEachSimplePiece(*chain, [&](const XtGeCurve2d& piece) { return piece.hasStartPoint(starts.emplace_back()); });
  std::vector<int> order;
  if (!walked || repeatedStart(starts, order).first < 0) {
    appendOwnedCurve(result, std::move(chain));
    return;
  }
  ownedCurveList exploded;
  if (!appendOwnedCurve(exploded.list, std::move(chain))) return;
  explodeCurveList(exploded.list);
  pieceList pieces;
  for (XtGeCurve2d*& piece : exploded.list) pieces.emplace_back(std::exchange(piece, nullptr));

  std::vector<std::unique_ptr<XtGeCurve2d>> loops;
  const double noArea = workTol.equalPoint() * workTol.equalPoint();
  for (pieceList& loop : simpleLoops(std::move(pieces))) {
    auto curve = std::make_unique<XtGeCompositeCurve2d>(std::move(loop));
    double area = 0.0;
    if (!getCurveArea(*curve, area) || area > noArea) loops.push_back(std::move(curve));
  }
  for (std::size_t i = 0; i < loops.size(); ++i) {
    int depth = 0;
    for (std::size_t j = 0; j < loops.size(); ++j) {
      if (j == i) continue;
      const int r = classifyCurveRelation(*loops[i], *loops[j]);
      depth += r == kRelationInside || r == kRelationInsideTouching;
    }
    double signedArea = 0.0;
    if (getCurveSignedArea(*loops[i], signedArea) && (signedArea < 0.0) != (depth % 2 == 1))
      loops[i]->reverseParam();
  }
  for (std::unique_ptr<XtGeCurve2d>& loop : loops) appendOwnedCurve(result, std::move(loop));
}

}  // namespace

int classifyCurveRelation(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve) {
  relationFindings found;
  std::vector<double> params;
  forEachSimplePiece(curve, [&](const XtGeCurve2d& piece) {
    classifySimplePiece(piece, closedCurve, found, params);
    return !(found.inside && found.outside);
  });
  if (found.inside && found.outside) return kRelationCrossing;
  if (found.inside) return found.on ? kRelationInsideTouching : kRelationInside;
  if (found.outside) return found.on ? kRelationOutsideTouching : kRelationOutside;
  return found.on ? kRelationOn : kRelationOutside;
}

void combineClosedCurves(const XtGeCurve2d& curveA, const XtGeCurve2d& curveB, curvePtrArray& result,
                         bool keepA, bool* changedFlag, bool dropB) {
  if (changedFlag != nullptr) *changedFlag = false;
  if (!curveA.xtIsClosed(workTol) || !curveB.xtIsClosed(workTol)) return;
  const savedTolerance restore;
  XtGeContext::gTol = workTol;

  ownedCurveList piecesA;
  ownedCurveList piecesB;
  splitCurveAtCurve(curveA, curveB, piecesA.list);
  splitCurveAtCurve(curveB, curveA, piecesB.list);

  // Sort the pieces: along the other boundary (on), kept, or dropped.
  ownedCurveList on;
  ownedCurveList kept;
  ownedCurveList keptB;
  bool anyDropped = false;
  bool changed = false;
  const int dropCode = dropB ? kPositionInside : kPositionOutside;
  const int keepCode = keepA ? kPositionInside : kPositionOutside;
  const std::vector<int> positionsB = positionsOf(piecesB.list, curveA);
  const std::vector<int> positionsA = positionsOf(piecesA.list, curveB);
  for (int i = 0; i < piecesB.list.count(); ++i) {
    const int code = positionsB[i];
    if (code == kPositionOn) {
      moveCurve(piecesB.list, i, on.list);
    } else if (code == dropCode) {
      deleteCurve(piecesB.list, i);
      anyDropped = true;
    } else {
      moveCurve(piecesB.list, i, keptB.list);
    }
  }
  for (int i = 0; i < piecesA.list.count(); ++i) {
    const int code = positionsA[i];
    if (code == kPositionOn) {
      moveCurve(piecesA.list, i, on.list);
    } else if (code != keepCode) {
      deleteCurve(piecesA.list, i);
      anyDropped = changed = true;
    } else {
      moveCurve(piecesA.list, i, kept.list);
    }
  }
  for (int i = 0; i < keptB.list.count(); ++i) moveCurve(keptB.list, i, kept.list);

  // Boundary pieces that repeat a kept piece are not needed.
  for (int i = 0; i < on.list.count(); ++i) {
    for (const XtGeCurve2d* k : kept.list) {
      if (runsAlong(*on.list[i], *k, false)) {
        deleteCurve(on.list, i);
        break;
      }
    }
  }

  if (kept.list.isEmpty()) {
    // Both boundaries run together: the union, and the intersection when
    // nothing was dropped, are that boundary (once); a difference is empty.
    const bool isUnion = !keepA && dropB;
    const bool isIntersection = keepA && !dropB;
    if (!isUnion && !(isIntersection && !anyDropped)) return;
    for (int i = 0; i < on.list.count(); ++i) {
      if (on.list[i] == nullptr) continue;
      const bool repeated = std::any_of(kept.list.begin(), kept.list.end(), [&](const XtGeCurve2d* k) {
        return runsAlong(*on.list[i], *k, true);
      });
      if (repeated) deleteCurve(on.list, i);
      else moveCurve(on.list, i, kept.list);
    }
    changed = false;
  } else {
    // Close the open ends with boundary pieces. Each round moves one piece,
    // so there are at most as many rounds as boundary pieces.
    endPointCounts ends;
    for (const XtGeCurve2d* k : kept.list) ends.add(*k);
    for (int round = 0; round < on.list.count(); ++round) {
      int found = -1;
      ends.forEachOdd([&](const XtGePoint2d& p) {
        for (int i = 0; i < on.list.count() && found < 0; ++i)
          if (on.list[i] != nullptr && touches(*on.list[i], p)) found = i;
        return found < 0;
      });
      if (found < 0) break;
      ends.add(*on.list[found]);
      moveCurve(on.list, found, kept.list);
    }
  }

  curveList::joinAll(kept.list);
  for (int i = 0; i < kept.list.count(); ++i) {
    std::unique_ptr<XtGeCurve2d> chain(kept.list[i]);
    kept.list[i] = nullptr;
    if (chain) appendSimpleLoops(closedChain(std::move(chain)), result);
  }
  if (changedFlag != nullptr) *changedFlag = changed;
}
