#include "geometry/curveChainJoin.h"

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "geometry/forEachSimplePiece.h"
#include "geometry/hvArrayEdit.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <deque>
#include <new>
#include <vector>

namespace {

struct chainCandidate {
  XtGePoint2d start;
  XtGePoint2d end;
  bool usable = false;
};

chainCandidate candidateOf(const XtGeCurve2d* curve, bool linesAndArcsOnly) {
  chainCandidate c;
  if (curve == nullptr) return c;
  if (linesAndArcsOnly && curve->type() != XtGe::kLineSeg2d && curve->type() != XtGe::kCircArc2d)
    return c;
  c.usable = curve->hasStartPoint(c.start) && curve->hasEndPoint(c.end) && c.start.isFinite() &&
             c.end.isFinite();
  return c;
}

// The simple pieces of the chain, composites replaced by copies of theirs.
bool flattenInto(std::unique_ptr<XtGeCurve2d> curve, std::vector<std::unique_ptr<XtGeCurve2d>>& pieces) {
  if (curve->type() != XtGe::kCompositeCrv2d) {
    pieces.push_back(std::move(curve));
    return true;
  }
  bool ok = true;
  forEachSimplePiece(*curve, [&](const XtGeCurve2d& piece) {
    std::unique_ptr<XtGeCurve2d> copy(copyCurve2d(&piece));
    if (!copy) ok = false;
    if (copy) pieces.push_back(std::move(copy));
    return ok;
  });
  return ok;
}

}  // namespace

std::unique_ptr<XtGeCurve2d> curveChainJoin(curvePtrArray& curves, bool linesAndArcsOnly, bool close) {
  const int n = curves.count();
  std::vector<chainCandidate> candidates(static_cast<std::size_t>(n));
  int first = -1;
  for (int i = 0; i < n; ++i) {
    candidates[i] = candidateOf(curves[i], linesAndArcsOnly);
    if (first < 0 && candidates[i].usable) first = i;
  }
  if (first < 0) return nullptr;

  // The chain as (index, reversed) in order from its start.
  std::deque<std::pair<int, bool>> chain;
  chain.emplace_back(first, false);
  candidates[first].usable = false;
  XtGePoint2d head = candidates[first].start;
  XtGePoint2d tail = candidates[first].end;
  bool closed = head.isEqualTo(tail, workTol);
  // Each round takes one curve or ends the chain, so n rounds suffice.
  for (int round = 0; round < n && !closed; ++round) {
    int taken = -1;
    for (int i = 0; i < n && taken < 0; ++i) {
      const chainCandidate& c = candidates[i];
      if (!c.usable) continue;
      if (c.start.isEqualTo(tail, workTol)) {
        chain.emplace_back(i, false);
        tail = c.end;
      } else if (c.end.isEqualTo(head, workTol)) {
        chain.emplace_front(i, false);
        head = c.start;
      } else if (c.end.isEqualTo(tail, workTol)) {
        chain.emplace_back(i, true);
        tail = c.start;
      } else if (c.start.isEqualTo(head, workTol)) {
        chain.emplace_front(i, true);
        head = c.end;
      } else {
        continue;
      }
      taken = i;
    }
    if (taken < 0) break;
    candidates[taken].usable = false;
    closed = head.isEqualTo(tail, workTol);
  }

  // The chain's curves leave the list (null first, so that the list never
  // holds a curve the chain owns, even when it cannot be shortened).
  std::vector<std::unique_ptr<XtGeCurve2d>> taken;
  taken.reserve(chain.size());
  for (const auto& [index, reversed] : chain) {
    std::unique_ptr<XtGeCurve2d> curve(curves[index]);
    curves[index] = nullptr;
    if (reversed) curve->reverseParam();
    taken.push_back(std::move(curve));
  }
  hvArrayKeepIf(curves, [](const XtGeCurve2d* c) { return c != nullptr; });

  if (taken.size() == 1 && !linesAndArcsOnly && !(close && !closed)) return std::move(taken.front());
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (auto& curve : taken) flattenInto(std::move(curve), pieces);
  if (close && !closed) pieces.push_back(std::make_unique<XtGeLineSeg2d>(tail, head));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
}
