#include "heating/layout/MeanderPockets.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/MeanderPathEdits.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

using namespace meander_spacing;

namespace {

// A lateral distance of (1 - kReach) s reaches the spacing: the runs stand s
// apart up to rounding.
constexpr double kReach = 1e-6;
// The narrowest middle gap whose runs bound a pocket, in s.
constexpr double kMiddleGap = 0.5;
// How far the pipe is judged on either side of a connector, in s.
constexpr double kHorizon = 4.0;
// How far a connector's ends are looked for beyond the pocket, in s.
constexpr double kSearch = 6.0;
// Farther along the pipe than any piece.
constexpr double kFar = 1e300;

using Cut = std::pair<double, double>;  // the connector's ends along the stretch

class StretchCutter {
 public:
  explicit StretchCutter(MeanderPath& path) : path_(path), s_(path.s()), step_(path.step()) {}

  // Cuts the pockets of the stretch of walk edges from firstWalk, one after
  // the other: after a cut the stretch goes on from the connector's end.
  // Each round cuts or looks further along; the rounds are bounded all the same.
  int cut(COffsetEdge* firstWalk, COffsetEdge* before, COffsetEdge* after) {
    int cuts = 0;
    double from = 0.0;
    for (int round = 0; round < kEditRounds && firstWalk != nullptr; ++round) {
      const PipeStretch stretch = path_.stretchOf(before, firstWalk, after);
      std::vector<SpacedPiece> pieces;
      spacedPieces(stretch, 0.0, stretch.total, 0.0, -kFar, kFar, pieces);
      NearPair near;
      if (!SpacingSearch(std::move(pieces), path_.rule(), path_.across()).first(from, near)) break;
      const std::optional<Cut> cut = choose(stretch, near);
      if (!cut) {
        from = near.t1 + step_;  // this pocket stays
        continue;
      }
      COffsetNode* end = path_.shortcut(stretch, cut->first, cut->second);
      if (end == nullptr) break;
      ++cuts;
      COffsetEdge* next = MeanderPath::outgoing(*end);
      firstWalk = next != nullptr && path_.isWalk(*next) ? next : nullptr;
      before = nullptr;
      from = 0.0;
    }
    return cuts;
  }

 private:
  std::optional<Cut> choose(const PipeStretch& stretch, const NearPair& near) const {
    if (stretch.legAfter >= 0 && near.t2 > stretch.pieces[static_cast<std::size_t>(stretch.legAfter)].start)
      if (auto cut = squareCut(stretch, true); cut && sound(stretch, *cut)) return cut;
    if (stretch.legBefore >= 0 && near.t1 < stretch.pieces[0].length)
      if (auto cut = squareCut(stretch, false); cut && sound(stretch, *cut)) return cut;
    return leastCut(stretch, near);
  }

  // The square cut at the junction of the walk with the leg after it (atEnd)
  // or before it.
  std::optional<Cut> squareCut(const PipeStretch& stretch, bool atEnd) const {
    const PipePiece& leg = stretch.pieces[static_cast<std::size_t>(atEnd ? stretch.legAfter : stretch.legBefore)];
    const XtGePoint2d origin = atEnd ? leg.a : leg.b;
    const XtGeVector2d u = ((atEnd ? leg.b : leg.a) - origin) / leg.length;
    const double junction = atEnd ? leg.start : leg.start + leg.length;
    const double target = (1.0 - kReach) * s_;
    const auto lateral = [&](const XtGePoint2d& p) { return std::fabs((p - origin).crossProduct(u)); };
    // Away from the junction over the walk's pieces.
    std::optional<double> x;
    const std::size_t n = stretch.pieces.size();
    for (std::size_t m = 0; m < n && !x; ++m) {
      const PipePiece& piece = stretch.pieces[atEnd ? n - 1 - m : m];
      if (!piece.walk) continue;
      const double c0 = lateral(atEnd ? piece.b : piece.a);
      const double c1 = lateral(atEnd ? piece.a : piece.b);
      if (c0 >= target) {
        x = atEnd ? piece.start + piece.length : piece.start;
      } else if (c1 >= target) {
        const double f = (target - c0) / (c1 - c0);
        x = atEnd ? piece.start + piece.length * (1.0 - f) : piece.start + piece.length * f;
      }
    }
    if (!x) {
      // The walk's far end where it meets the other run at a narrower gap.
      const bool farLeg = atEnd ? stretch.legBefore >= 0 : stretch.legAfter >= 0;
      if (!farLeg) return std::nullopt;
      const double farEnd = atEnd ? stretch.pieces[0].length : stretch.pieces[n - 1].start;
      if (lateral(stretch.at(farEnd)) < kMiddleGap * s_) return std::nullopt;
      x = farEnd;
    }
    const double depth = (stretch.at(*x) - origin).dotProduct(u);
    if (!(depth > kNone * s_) || !(depth < leg.length - kNone * s_)) return std::nullopt;
    return atEnd ? Cut(*x, junction + depth) : Cut(junction - depth, *x);
  }

  // The connector that leaves out the least pipe, its ends a spacing apart.
  std::optional<Cut> leastCut(const PipeStretch& stretch, const NearPair& near) const {
    const double least = (1.0 - kSlack) * s_;
    const double reach = kSearch * s_;
    std::vector<Cut> candidates;
    for (double t1 = near.t1; t1 >= std::max(0.0, near.t1 - reach); t1 -= step_) {
      const XtGePoint2d p = stretch.at(t1);
      for (double t2 = near.t2; t2 <= std::min(stretch.total, near.t2 + reach); t2 += step_) {
        if (p.distanceTo(stretch.at(t2)) >= least) {
          candidates.emplace_back(t1, t2);
          break;
        }
      }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Cut& a, const Cut& b) { return a.second - a.first < b.second - b.first; });
    for (const Cut& cut : candidates)
      if (sound(stretch, cut)) return cut;
    return std::nullopt;
  }

  // Whether the connector lies within the first loop's area and the pipe
  // with it keeps the spacing near it: the connector and the walk within
  // kHorizon s of it along the pipe judged.
  bool sound(const PipeStretch& stretch, const Cut& cut) const {
    const auto [t1, t2] = cut;
    if (!(t2 > t1)) return false;
    const XtGePoint2d p = stretch.at(t1);
    const XtGePoint2d q = stretch.at(t2);
    if (!path_.connectorWithin(p, q)) return false;
    const double chord = p.distanceTo(q);
    const double horizon = kHorizon * s_;
    std::vector<SpacedPiece> pieces;
    spacedPieces(stretch, 0.0, t1, 0.0, t1 - horizon, kFar, pieces);
    pieces.push_back({p, q, t1, true, stretch.pieces.size()});
    spacedPieces(stretch, t2, stretch.total, t1 + chord - t2, -kFar, t1 + chord + horizon, pieces);
    NearPair near;
    return !SpacingSearch(std::move(pieces), path_.rule(), path_.across()).first(-kFar, near);
  }

  MeanderPath& path_;
  double s_;
  double step_;
};

}  // namespace

int cutMeanderPockets(MeanderPath& path, const std::unordered_set<const COffsetEdge*>& near) {
  std::vector<COffsetEdge*> edges;
  if (!path.usable() || !path.edges(edges)) return 0;
  // The maximal stretches of walk edges between the leads, with the legs
  // next to them.
  struct Stretch {
    COffsetEdge* first;
    COffsetEdge* before;
    COffsetEdge* after;
  };
  std::vector<Stretch> stretches;
  for (std::size_t i = 1; i + 1 < edges.size();) {
    if (!path.isWalk(*edges[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    bool holds = near.count(edges[i]) != 0;
    while (j + 2 < edges.size() && path.isWalk(*edges[j + 1])) {
      ++j;
      holds = holds || near.count(edges[j]) != 0;
    }
    COffsetEdge* before = i >= 2 && path.isLeg(*edges[i - 1]) ? edges[i - 1] : nullptr;
    COffsetEdge* after = j + 2 < edges.size() && path.isLeg(*edges[j + 1]) ? edges[j + 1] : nullptr;
    holds = holds || (before != nullptr && near.count(before)) || (after != nullptr && near.count(after));
    if (holds) stretches.push_back({edges[i], before, after});
    i = j + 1;
  }
  StretchCutter cutter(path);
  int cuts = 0;
  for (const Stretch& stretch : stretches) cuts += cutter.cut(stretch.first, stretch.before, stretch.after);
  return cuts;
}
