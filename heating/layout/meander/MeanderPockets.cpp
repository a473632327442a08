#include "heating/layout/meander/MeanderPockets.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/meander/MeanderPathEdits.h"

#include <algorithm>
#include <cmath>
#include <numbers>
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
// The most connectors tried around one point against a piece elsewhere.
constexpr int kAroundTries = 400;
// Farther along the pipe than any piece.
constexpr double kFar = 1e300;
// The sharpest corner a connector may make with the pipe it joins: one that
// folds back over the pipe just before it would lie over it.
constexpr double kLeastCorner = std::numbers::pi / 6;
// A short leg folds when it meets the walk sharper than this: the corner
// below which the check of the drawn pipe names legs longer than its reach
// (2 asin(2 / kClearanceNeighbourDiameters), about 14.4 degrees; PathSpacingCheck.h).
const double kFoldCorner = 2.0 * std::asin(2.0 / spacing_rules::kClearanceNeighbourDiameters);
// A fold's connector is at least this many s long.
constexpr double kFoldChord = 0.5;

using Cut = std::pair<double, double>;  // the connector's ends along the stretch

class StretchCutter {
 public:
  StretchCutter(MeanderPath& path, bool squareCuts)
      : path_(path), s_(path.s()), step_(path.step()), square_(squareCuts) {}

  // Cuts the pockets of the stretch of walk edges from firstWalk, one after
  // the other: after a cut the stretch goes on from the connector's end.
  // Each round cuts or looks further along; the rounds are bounded all the same.
  int cut(COffsetEdge* firstWalk, COffsetEdge* before, COffsetEdge* after) {
    int cuts = 0;
    std::vector<double> stays;  // points of pockets left as they are (lengths along the stretch)
    for (int round = 0; round < kEditRounds && firstWalk != nullptr; ++round) {
      const PipeStretch stretch = path_.stretchOf(before, firstWalk, after);
      // The stretch's walk is judged against every piece.
      locate(stretch);
      std::vector<SpacedPiece> pieces;
      spacedPieces(*whole_, 0.0, whole_->total, 0.0, offset_, offset_ + stretch.total, pieces);
      const auto inside = [&](double t) { return t >= offset_ && t <= offset_ + stretch.total; };
      // Every near pair with a point on the stretch's walk: those within the
      // stretch first, each by its first point.
      std::vector<NearPair> pairs;
      SpacingSearch(std::move(pieces), path_.rule(), path_.across(), path_.endsOf(*whole_)).each([&](const NearPair& near) {
        const double at = (inside(near.t1) ? near.t1 : near.t2) - offset_;
        for (const double stay : stays)
          if (std::fabs(stay - at) <= step_) return;
        pairs.push_back(near);
      });
      if (pairs.empty()) break;
      std::stable_sort(pairs.begin(), pairs.end(), [&](const NearPair& a, const NearPair& b) {
        const bool la = inside(a.t1) && inside(a.t2);
        const bool lb = inside(b.t1) && inside(b.t2);
        return la != lb ? la : a.t1 < b.t1;
      });
      const NearPair& near = pairs.front();
      std::optional<Cut> cut;
      double at = near.t1 - offset_;
      if (inside(near.t1) && inside(near.t2)) {
        // On the stretch: a point at its end may lie a rounding beyond it
        // (the whole path's lengths less the stretch's start).
        const auto on = [&](double t) { return std::clamp(t - offset_, 0.0, stretch.total); };
        cut = choose(stretch, {on(near.t1), on(near.t2), near.tag1, near.tag2});
      } else {
        // Against a piece elsewhere on the path: the stretch's walk is cut
        // around its point alone.
        at = (inside(near.t1) ? near.t1 : near.t2) - offset_;
        const double other = inside(near.t1) ? near.t2 : near.t1;
        const PipeEnds ends = path_.endsOf(*whole_);
        cut = aroundCut(stretch, at, other, other < ends.headEnd || other > ends.tailStart);
      }
      if (!cut) {
        stays.push_back(at);
        continue;
      }
      COffsetNode* end = path_.shortcut(stretch, cut->first, cut->second);
      if (end == nullptr) break;
      ++cuts;
      COffsetEdge* next = MeanderPath::outgoing(*end);
      firstWalk = next != nullptr && path_.isWalk(*next) ? next : nullptr;
      before = nullptr;
      stays.clear();
    }
    return cuts;
  }

  // Cuts the fold where a leg shorter than the spacing rule's neighbours
  // meets the walk at a corner sharper than kFoldCorner: the connector from
  // the leg's far end to the nearest point of the walk that makes it sound
  // and at least kFoldChord s long. The connector's end node, or none.
  COffsetNode* cutFold(COffsetEdge* firstWalk, COffsetEdge* before, COffsetEdge* after, bool atEnd) {
    const PipeStretch stretch = path_.stretchOf(before, firstWalk, after);
    const int legAt = atEnd ? stretch.legAfter : stretch.legBefore;
    if (legAt < 0 || stretch.pieces.size() < 2) return nullptr;
    const PipePiece& leg = stretch.pieces[static_cast<std::size_t>(legAt)];
    if (!(leg.length < spacing_rules::kNeighbourSpacings * s_)) return nullptr;
    // The walk's first piece of some length away from the junction.
    const std::size_t n = stretch.pieces.size();
    XtGeVector2d walk;
    for (std::size_t m = 1; m < n && walk.length() <= kNone * s_; ++m) {
      const PipePiece& piece = stretch.pieces[atEnd ? n - 1 - m : m];
      if (!piece.walk) break;
      walk = atEnd ? piece.a - piece.b : piece.b - piece.a;
    }
    const XtGeVector2d away = atEnd ? leg.b - leg.a : leg.a - leg.b;  // from the junction along the leg
    if (walk.length() <= kNone * s_ || away.length() <= kNone * s_) return nullptr;
    const double corner = std::acos(std::clamp(walk.dotProduct(away) / (walk.length() * away.length()), -1.0, 1.0));
    if (!(corner < kFoldCorner)) return nullptr;
    locate(stretch);
    const double farEnd = atEnd ? stretch.total : 0.0;
    const XtGePoint2d b = stretch.at(farEnd);
    const double junction = atEnd ? leg.start : leg.start + leg.length;
    const int steps = static_cast<int>(kSearch * s_ / step_);
    for (int i = 1; i <= steps; ++i) {
      const double t = atEnd ? junction - i * step_ : junction + i * step_;
      if (t <= 0.0 || t >= stretch.total) break;
      if (b.distanceTo(stretch.at(t)) < kFoldChord * s_) continue;
      const Cut cut = atEnd ? Cut(t, farEnd) : Cut(farEnd, t);
      if (sound(stretch, cut)) return path_.shortcut(stretch, cut.first, cut.second);
    }
    return nullptr;
  }

 private:
  // The whole path, and where the stretch begins on it: at its first
  // piece's length there.
  void locate(const PipeStretch& stretch) {
    whole_ = &path_.whole();
    offset_ = 0.0;
    for (const PipePiece& piece : whole_->pieces)
      if (piece.edge == stretch.pieces.front().edge) {
        offset_ = piece.start;
        break;
      }
  }

  std::optional<Cut> choose(const PipeStretch& stretch, const NearPair& near) const {
    if (!square_) return leastCut(stretch, near);
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
    // Symmetric about the middle of the near pair (across a sharp corner's
    // mouth), and from each t1 the nearest t2 a spacing away.
    const double middle = 0.5 * (near.t1 + near.t2);
    for (double t1 = near.t1; t1 >= std::max(0.0, near.t1 - reach); t1 -= step_) {
      const XtGePoint2d p = stretch.at(t1);
      const double mirror = 2.0 * middle - t1;
      if (mirror <= stretch.total && p.distanceTo(stretch.at(mirror)) >= least) candidates.emplace_back(t1, mirror);
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

  // The connector around the point at t of the stretch's walk that leaves
  // out the least pipe and is sound: its ends on the walk either side. Near
  // the head or the tail of the pipe (byEnd: a walk beside the pipe ends,
  // as at an acute corner next to them) the connectors to the walk's own
  // ends come first: one into the node of a lead keeps the way from there
  // short, so that the pipe parts from the other end within a spacing.
  std::optional<Cut> aroundCut(const PipeStretch& stretch, double t, double other, bool byEnd) const {
    const std::size_t k = stretch.pieceAt(t);
    if (!stretch.pieces[k].walk) return std::nullopt;
    // The walk around t, between the legs.
    const double lo = stretch.legBefore >= 0 ? stretch.pieces[0].length : 0.0;
    const double hi = stretch.legAfter >= 0 ? stretch.pieces[static_cast<std::size_t>(stretch.legAfter)].start
                                            : stretch.total;
    const int steps = static_cast<int>(kSearch * s_ / step_);
    const double reach = kSearch * s_;
    std::vector<Cut> candidates;
    // Every s/8 either side up to kSearch s, and the walk's ends themselves
    // within that reach.
    const bool toLo = lo < t && t - lo <= reach;
    const bool toHi = hi > t && hi - t <= reach;
    for (int i = 1; i <= steps && t - i * step_ >= lo; ++i) {
      for (int j = 1; j <= steps && t + j * step_ <= hi; ++j) candidates.emplace_back(t - i * step_, t + j * step_);
      if (toHi) candidates.emplace_back(t - i * step_, hi);
    }
    for (int j = 1; j <= steps && t + j * step_ <= hi; ++j)
      if (toLo) candidates.emplace_back(lo, t + j * step_);
    if (toLo && toHi) candidates.emplace_back(lo, hi);
    const auto atEnd = [&](const Cut& c) { return byEnd && (c.first == lo || c.second == hi); };
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Cut& a, const Cut& b) {
      if (atEnd(a) != atEnd(b)) return atEnd(a);
      return a.second - a.first < b.second - b.first;
    });
    int tried = 0;
    for (const Cut& cut : candidates) {
      if (++tried > kAroundTries) break;
      if (sound(stretch, cut, other)) return cut;
    }
    return std::nullopt;
  }

  // Whether the connector lies within the first loop's area and the whole
  // pipe with it keeps the spacing near it: the connector judged against
  // every piece, and the walk within kHorizon s of it along the pipe
  // against itself and (for a cut around a piece elsewhere at `far`, a
  // length along the whole path) against the pipe within kHorizon s of that
  // piece. A pair of the walk near the connector with a piece elsewhere
  // that the cut does not touch was there before (a cut only brings points
  // nearer along the pipe) and is another pocket's: it is left to that
  // pocket's own round, so that two pockets never wait for each other.
  bool sound(const PipeStretch& stretch, const Cut& cut, std::optional<double> far = std::nullopt) const {
    const auto [t1, t2] = cut;
    if (!(t2 > t1)) return false;
    const XtGePoint2d p = stretch.at(t1);
    const XtGePoint2d q = stretch.at(t2);
    if (!path_.connectorWithin(p, q)) return false;
    const double g1 = t1 + offset_;
    const double g2 = t2 + offset_;
    if (!turnsNoSharperThan(*whole_, g1, g2, {}, kLeastCorner)) return false;
    const double chord = p.distanceTo(q);
    const double horizon = kHorizon * s_;
    std::vector<SpacedPiece> pieces;
    spacedPieces(*whole_, 0.0, g1, 0.0, g1 - horizon, kFar, pieces);
    pieces.push_back({p, q, g1, true, whole_->pieces.size()});
    spacedPieces(*whole_, g2, whole_->total, g1 + chord - g2, -kFar, g1 + chord + horizon, pieces);
    const double shift = g1 + chord - g2;
    PipeEnds ends = path_.endsOf(*whole_);
    ends.tailStart += shift;
    const auto onConnector = [&](double g) { return g >= g1 && g <= g1 + chord; };
    const auto nearConnector = [&](double g) { return g >= g1 - horizon && g <= g1 + chord + horizon; };
    bool bad = false;
    SpacingSearch(std::move(pieces), path_.rule(), path_.across(), ends).each([&](const NearPair& near) {
      if (bad || onConnector(near.t1) || onConnector(near.t2) || (nearConnector(near.t1) && nearConnector(near.t2))) {
        bad = true;
        return;
      }
      const double elsewhere = nearConnector(near.t1) ? near.t2 : near.t1;
      const double before = elsewhere > g1 ? elsewhere - shift : elsewhere;  // where it lay before the cut
      if (far && std::fabs(before - *far) <= horizon) bad = true;
    });
    return !bad;
  }

  MeanderPath& path_;
  double s_;
  double step_;
  bool square_;  // the square cut at a junction with a leg tried first
  // The whole path when a pocket is judged, and where the stretch begins on it.
  const PipeStretch* whole_ = nullptr;
  double offset_ = 0.0;
};

}  // namespace

namespace {

// A maximal stretch of walk edges between the leads, with the legs next to it.
struct Stretch {
  COffsetEdge* first;
  COffsetEdge* before;
  COffsetEdge* after;
};

// The stretches of walk of the path that hold an edge of `near` (or have
// one of them as the leg before or after it), or every stretch for none.
std::vector<Stretch> walkStretches(const MeanderPath& path, const std::unordered_set<const COffsetEdge*>* near) {
  std::vector<COffsetEdge*> edges;
  std::vector<Stretch> stretches;
  if (!path.usable() || !path.edges(edges)) return stretches;
  const auto marked = [&](const COffsetEdge* edge) { return near == nullptr || near->count(edge) != 0; };
  for (std::size_t i = 1; i + 1 < edges.size();) {
    if (!path.isWalk(*edges[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    bool holds = marked(edges[i]);
    while (j + 2 < edges.size() && path.isWalk(*edges[j + 1])) {
      ++j;
      holds = holds || marked(edges[j]);
    }
    COffsetEdge* before = i >= 2 && path.isLeg(*edges[i - 1]) ? edges[i - 1] : nullptr;
    COffsetEdge* after = j + 2 < edges.size() && path.isLeg(*edges[j + 1]) ? edges[j + 1] : nullptr;
    holds = holds || (before != nullptr && marked(before)) || (after != nullptr && marked(after));
    if (holds) stretches.push_back({edges[i], before, after});
    i = j + 1;
  }
  return stretches;
}

}  // namespace

int cutMeanderPockets(MeanderPath& path, const std::unordered_set<const COffsetEdge*>& near, bool squareCuts) {
  const std::vector<Stretch> stretches = walkStretches(path, &near);
  StretchCutter cutter(path, squareCuts);
  int cuts = 0;
  for (const Stretch& stretch : stretches) cuts += cutter.cut(stretch.first, stretch.before, stretch.after);
  return cuts;
}

int cutMeanderFolds(MeanderPath& path) {
  const std::vector<Stretch> stretches = walkStretches(path, nullptr);
  StretchCutter cutter(path, true);
  int cuts = 0;
  for (const Stretch& stretch : stretches) {
    COffsetEdge* first = stretch.first;
    COffsetEdge* before = stretch.before;
    if (before != nullptr) {
      if (COffsetNode* end = cutter.cutFold(first, before, stretch.after, false)) {
        ++cuts;
        COffsetEdge* next = MeanderPath::outgoing(*end);
        if (next == nullptr || !path.isWalk(*next)) continue;
        first = next;
        before = nullptr;
      }
    }
    if (stretch.after != nullptr && cutter.cutFold(first, before, stretch.after, true) != nullptr) ++cuts;
  }
  return cuts;
}
