// Where one meander run crosses the zone boundary, the first offset loop and
// the loops of level 1.
//
// Each piece is tried with up to three pairs of tolerances (colinearity
// first, then intersection); pieces that lie wholly on one side of the run,
// farther than any of those tolerances reach, are passed over unseen, which
// keeps a zone of many short sections fast without changing the answer.
// A hit is projected onto the piece's own loop: onto the piece, linked to it
// and, at a joint (workTol-sized tolerance g), to the neighbour sharing it, as
// CLoop::closestPoint answers for a point on the loop.
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/meander/CFHMeanderPoint.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/meander/MeanderRecordSearches.h"

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeLine2d.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

struct TolPair {
  const XtGeTol* colinear;
  const XtGeTol* intersect;
};

XtGeTol widened(const XtGeTol& tol) { return XtGeTol(3.0 * tol.equalPoint(), 1.2 * tol.equalVector()); }

// The point of the loop at `p` (a point of element `index`), linked to the
// element and, when p is one of its ends, to the neighbour there; links in
// element order.
CLoopPoint projectOntoElement(const CLoop& loop, int index, const XtGePoint2d& p, const XtGeTol& tol) {
  const CFloorHeatingCurve& curve = *loop.elements[index]->curve;
  CLoopPoint out(curve.geCurve().closestPointTo(p, workTolFine));
  int linked[3] = {index, -1, -1};
  int count = 1;
  if (out.point.isEqualTo(curve.startPoint(), tol)) linked[count++] = loop.previousIndex(index);
  if (out.point.isEqualTo(curve.endPoint(), tol)) linked[count++] = loop.nextIndex(index);
  std::sort(linked, linked + count);
  for (int c = 0; c < count; ++c)
    if (c == 0 || linked[c] != linked[c - 1]) out.addLink(loop.elements[linked[c]]);
  return out;
}

class RunCrossingCollector {
 public:
  RunCrossingCollector(const CFloorHeatingCurve& run, const XtGeTol& g, double reach)
      : run_(run), g_(g), reach_(reach), runLine_(run.chordLine()) {
    const XtGeVector2d d = run.endPoint() - run.startPoint();
    const double length = d.length();
    straight_ = run.kind() == CFloorHeatingCurve::kLine && length > 0.0;
    if (straight_) u_ = d / length;
  }

  // Every element of the loop as a piece of the kind, tried with the pairs.
  void collect(const CLoop& loop, std::uint32_t kind, const std::vector<TolPair>& pairs,
               std::vector<CFHMeanderPoint>& records) const {
    for (int i = 0; i < loop.elementCount(); ++i) {
      const CLoopElement* element = loop.elementWithCurve(i);
      if (element == nullptr || farAside(*element->curve)) continue;
      for (const TolPair& pair : pairs)
        if (crossPiece(loop, i, kind, pair, records)) break;
    }
  }

 private:
  // A straight piece wholly on one side of a straight run, beyond reach.
  bool farAside(const CFloorHeatingCurve& piece) const {
    if (!straight_ || piece.kind() != CFloorHeatingCurve::kLine) return false;
    const double c0 = (piece.startPoint() - run_.startPoint()).crossProduct(u_);
    const double c1 = (piece.endPoint() - run_.startPoint()).crossProduct(u_);
    return (c0 > reach_ && c1 > reach_) || (c0 < -reach_ && c1 < -reach_);
  }

  // The piece lies along the run's line: both its ends within the
  // tolerance's equal point of it. The direction test of the lines alone
  // would not do: the coarse tolerance's equal vector grows with the unit
  // factor (1.2 in a millimetre drawing), under which every direction is
  // parallel, and a level-1 section at any angle that starts near the run
  // would count as lying along it.
  bool liesAlongRun(const CFloorHeatingCurve& piece, const XtGeTol& tol) const {
    if (!straight_) return runLine_.isColinearTo(piece.chordLine(), tol);
    const double eq = tol.equalPoint();
    return std::fabs((piece.startPoint() - run_.startPoint()).crossProduct(u_)) <= eq &&
           std::fabs((piece.endPoint() - run_.startPoint()).crossProduct(u_)) <= eq;
  }

  bool crossPiece(const CLoop& loop, int index, std::uint32_t kind, const TolPair& pair,
                  std::vector<CFHMeanderPoint>& records) const {
    const CFloorHeatingCurve& piece = *loop.elements[index]->curve;
    CLoop* owner = const_cast<CLoop*>(&loop);
    if (liesAlongRun(piece, *pair.colinear)) {
      records.emplace_back(kind, projectOntoElement(loop, index, piece.startPoint(), g_), owner);
      records.emplace_back(kind, projectOntoElement(loop, index, piece.endPoint(), g_), owner);
      return true;
    }
    XtGePoint2d hit;
    if (!intersectCurves(run_, piece, hit, *pair.intersect)) return false;
    records.emplace_back(kind, projectOntoElement(loop, index, hit, g_), owner);
    return true;
  }

  const CFloorHeatingCurve& run_;
  const XtGeTol& g_;
  double reach_;
  XtGeLine2d runLine_;
  bool straight_ = false;
  XtGeVector2d u_;
};

}  // namespace

bool CFHCircuitLayout::collectRunCrossings(const CFloorHeatingCurve& run, std::vector<CFHMeanderPoint>& records,
                                           const CFloorHeatingCurve& crossLine, const XtGeTol& a, const XtGeTol& g,
                                           const XtGeTol& b) const {
  records.clear();
  records.reserve(8);  // a run usually crosses the boundary, the first loop and an inner loop twice each
  const XtGeTol a3 = widened(a);
  const XtGeTol g3 = widened(g);
  const XtGeTol b3 = widened(b);
  const double reach =
      4.0 * std::max({a3.equalPoint(), g3.equalPoint(), b3.equalPoint(), a.equalPoint(), g.equalPoint(),
                      b.equalPoint()});
  const RunCrossingCollector collector(run, g, reach);
  if (boundary != nullptr) collector.collect(boundary->workingLoop, kMeanderBoundary, {{&a, &a}, {&g, &g}}, records);
  if (const COffsetLoop* first = firstOffsetLoop())
    collector.collect(*first, kMeanderFirstLoop, {{&a, &a}, {&g, &g}}, records);
  if (levels.size() > 1 && levels[1] != nullptr)
    for (const COffsetLoop* loop : *levels[1])
      if (loop != nullptr) collector.collect(*loop, kMeanderInnerLoop, {{&a3, &a}, {&g3, &g}, {&b3, &b}}, records);

  // Farthest from the cross line first; equal distances keep their order.
  std::vector<double> distance(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) distance[i] = crossLine.distanceTo(records[i].point.point);
  std::vector<std::size_t> order(records.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return distance[x] > distance[y]; });
  std::vector<CFHMeanderPoint> sorted;
  sorted.reserve(records.size());
  for (std::size_t i : order) {
    // A record equal to the one kept before it goes: no two neighbours equal.
    if (!sorted.empty() && crossingRecordsEqual(sorted.back(), records[i])) continue;
    sorted.push_back(std::move(records[i]));
  }
  records = std::move(sorted);
  return records.size() > 2;
}
