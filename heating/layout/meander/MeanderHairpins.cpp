#include "heating/layout/meander/MeanderHairpins.h"

#include "heating/layout/meander/MeanderPathEdits.h"
#include "heating/layout/offsets/PointSegmentDistance.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

using namespace meander_spacing;

namespace {

// A hairpin: the places of its legs in the path's pieces.
struct Hairpin {
  std::size_t down = 0;
  std::size_t up = 0;
};

// The hairpin of the leg piece k, if it is one's.
std::optional<Hairpin> hairpinOf(const PipeStretch& path, std::size_t k, double s) {
  const std::size_t n = path.pieces.size();
  const auto skip = [&](std::size_t i, bool forward) {
    while (i < n && path.pieces[i].length <= kNone * s) i = forward ? i + 1 : i - 1;  // past 0: i >= n
    return i;
  };
  const auto isTurn = [&](std::size_t i) { return i < n && !path.pieces[i].leg && !path.pieces[i].walk; };
  const std::size_t after = skip(k + 1, true);
  if (isTurn(after)) {
    const std::size_t other = skip(after + 1, true);
    if (other < n && path.pieces[other].leg) return Hairpin{k, other};
  }
  if (k == 0) return std::nullopt;
  const std::size_t before = skip(k - 1, false);
  if (isTurn(before) && before > 0) {
    const std::size_t other = skip(before - 1, false);
    if (other < n && path.pieces[other].leg) return Hairpin{other, k};
  }
  return std::nullopt;
}

// The hairpin whose turn is the piece k, if it is one's.
std::optional<Hairpin> hairpinAt(const PipeStretch& path, std::size_t k, double s) {
  const std::size_t n = path.pieces.size();
  if (k == 0 || k + 1 >= n || path.pieces[k].leg || path.pieces[k].walk) return std::nullopt;
  std::size_t before = k - 1;
  while (before > 0 && path.pieces[before].length <= kNone * s) --before;
  std::size_t after = k + 1;
  while (after + 1 < n && path.pieces[after].length <= kNone * s) ++after;
  if (!path.pieces[before].leg || !path.pieces[after].leg) return std::nullopt;
  return Hairpin{before, after};
}

// Farther along the pipe than any piece.
constexpr double kFar = 1e300;
// A leg too near a walk over this many spacings runs beside it, when the
// walk runs within this sine (12 degrees) of the leg's direction.
constexpr double kAlongside = 2.0;
constexpr double kAlongsideSine = 0.2;

class HairpinShortener {
 public:
  explicit HairpinShortener(MeanderPath& path) : path_(path), step_(path.step()) {}

  int run() {
    int shortened = 0;
    for (int round = 0; round < kEditRounds; ++round) {
      const PipeStretch pipe = path_.whole();
      std::vector<Found> found = tooNearWalks(pipe);
      if (found.empty()) break;
      // The last on the path first: the pieces before it stay as they are.
      std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.hairpin.down > b.hairpin.down; });
      for (const Found& f : found) {
        tried_.insert(pipe.pieces[f.hairpin.down].edge);
        const std::optional<std::pair<double, double>> turn = shorterTurn(pipe, f);
        if (turn && path_.shortcut(pipe, turn->first, turn->second) != nullptr) ++shortened;
      }
    }
    return shortened;
  }

 private:
  // A hairpin with a leg too near a walk, and the depth of the shallowest
  // such point of its legs.
  struct Found {
    Hairpin hairpin;
    double depth;
  };

  std::vector<Found> tooNearWalks(const PipeStretch& pipe) const {
    std::vector<SpacedPiece> pieces;
    spacedPieces(pipe, 0.0, pipe.total, 0.0, -kFar, kFar, pieces);
    std::vector<Found> found;
    SpacingSearch(std::move(pieces), path_.rule(), path_.across(), path_.endsOf(pipe)).each([&](const NearPair& near) {
      const bool firstWalks = pipe.pieces[near.tag1].walk;
      const std::size_t k = firstWalks ? near.tag2 : near.tag1;
      if (!pipe.pieces[firstWalks ? near.tag1 : near.tag2].walk) return;
      const std::optional<Hairpin> hairpin =
          pipe.pieces[k].leg ? hairpinOf(pipe, k, path_.s()) : hairpinAt(pipe, k, path_.s());
      if (!hairpin || tried_.count(pipe.pieces[hairpin->down].edge)) return;
      const PipePiece& down = pipe.pieces[hairpin->down];
      const XtGePoint2d p = pipe.at(firstWalks ? near.t2 : near.t1);
      const double depth = (p - down.a).dotProduct((down.b - down.a) / down.length);
      for (Found& f : found) {
        if (f.hairpin.down != hairpin->down) continue;
        f.depth = std::min(f.depth, depth);
        return;
      }
      found.push_back({*hairpin, depth});
    });
    return found;
  }

  // The ends of the hairpin's new turn (lengths along the path), or none.
  std::optional<std::pair<double, double>> shorterTurn(const PipeStretch& pipe, const Found& f) const {
    const PipePiece& d = pipe.pieces[f.hairpin.down];
    const PipePiece& u = pipe.pieces[f.hairpin.up];
    const XtGeVector2d dir = (d.b - d.a) / d.length;
    const auto depth = [&](const XtGePoint2d& p) { return (p - d.a).dotProduct(dir); };
    const double upTop = depth(u.b);
    const double upBottom = depth(u.a);
    const double first = d.start;
    const double last = u.start + u.length;
    for (double c = f.depth - step_; c > -step_; c -= step_) {
      const double t1 = d.start + std::clamp(c, 0.0, d.length);
      const double t2 = u.start + (upBottom - std::clamp(c, upTop, upBottom));
      if (!(t2 > t1)) continue;
      const XtGePoint2d p = pipe.at(t1);
      const XtGePoint2d q = pipe.at(t2);
      if (!path_.connectorWithin(p, q)) continue;
      // The legs left and the new turn, judged, against the rest of the path.
      const double shift = p.distanceTo(q) - (t2 - t1);
      std::vector<SpacedPiece> pieces;
      spacedPieces(pipe, 0.0, first, 0.0, kFar, -kFar, pieces);
      const std::size_t legs = pieces.size();
      spacedPieces(pipe, first, t1, 0.0, kFar, -kFar, pieces);
      pieces.push_back({p, q, t1, true, pipe.pieces.size()});
      spacedPieces(pipe, t2, last, shift, kFar, -kFar, pieces);
      for (std::size_t i = legs; i < pieces.size(); ++i) pieces[i].judged = true;
      spacedPieces(pipe, last, pipe.total, shift, kFar, -kFar, pieces);
      PipeEnds ends = path_.endsOf(pipe);
      ends.tailStart += shift;
      NearPair near;
      if (!SpacingSearch(std::move(pieces), path_.rule(), path_.across(), ends).first(-kFar, near))
        return std::make_pair(t1, t2);
    }
    return std::nullopt;
  }

  MeanderPath& path_;
  double step_;
  std::unordered_set<const COffsetEdge*> tried_;  // the down legs of hairpins tried
};

}  // namespace

int dropMeanderHairpinsNearWalks(MeanderPath& path, std::uint8_t direction) {
  if (!path.usable()) return 0;
  const double s = path.s();
  const double near = (1.0 - kSlack) * s;
  int dropped = 0;
  for (int round = 0; round < kEditRounds; ++round) {
    const PipeStretch pipe = path.whole();
    std::vector<SpacedPiece> pieces;
    spacedPieces(pipe, 0.0, pipe.total, 0.0, -kFar, kFar, pieces);
    // Per hairpin, the walk pieces its legs come too near.
    std::vector<std::pair<Hairpin, std::vector<std::size_t>>> found;
    SpacingSearch(std::move(pieces), path.rule(), path.across(), path.endsOf(pipe)).each([&](const NearPair& pair) {
      const bool firstWalks = pipe.pieces[pair.tag1].walk;
      const std::size_t k = firstWalks ? pair.tag2 : pair.tag1;
      const std::size_t walk = firstWalks ? pair.tag1 : pair.tag2;
      if (!pipe.pieces[walk].walk || !pipe.pieces[k].leg) return;
      const std::optional<Hairpin> hairpin = hairpinOf(pipe, k, s);
      if (!hairpin) return;
      for (auto& [h, walks] : found)
        if (h.down == hairpin->down) {
          walks.push_back(walk);
          return;
        }
      found.push_back({*hairpin, {walk}});
    });
    // Only a leg that runs beside a walk for kAlongside s (a wall along the
    // runs, within kAlongsideSine of their direction) goes: a leg that meets
    // the loop at a sharp angle, or ends beside a slanted wall, is a pocket's.
    std::erase_if(found, [&](const auto& entry) {
      const auto& [h, walks] = entry;
      for (const std::size_t leg : {h.down, h.up}) {
        const PipePiece& piece = pipe.pieces[leg];
        const int n = std::max(1, static_cast<int>(std::ceil(piece.length / (0.125 * s))));
        int beside = 0;
        for (int i = 0; i <= n; ++i) {
          const XtGePoint2d p = piece.a + (piece.b - piece.a) * (static_cast<double>(i) / n);
          for (const std::size_t w : walks)
            if (std::fabs((pipe.pieces[w].b - pipe.pieces[w].a).crossProduct(piece.b - piece.a)) <=
                    kAlongsideSine * pipe.pieces[w].length * piece.length &&
                pointSegmentDistance(p, pipe.pieces[w].a, pipe.pieces[w].b) < near) {
              ++beside;
              break;
            }
        }
        if (beside * piece.length / n >= kAlongside * s) return false;
      }
      return true;
    });
    // The last on the path first: the pieces before it stay as they are.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first.down > b.first.down; });
    int now = 0;
    for (const auto& [h, walks] : found) {
      const PipePiece& down = pipe.pieces[h.down];
      const PipePiece& up = pipe.pieces[h.up];
      if (path.rewalk(pipe, down.start, up.start + up.length, direction) != nullptr) ++now;
    }
    dropped += now;
    if (now == 0) break;
  }
  return dropped;
}

int shortenMeanderHairpins(MeanderPath& path) {
  if (!path.usable()) return 0;
  return HairpinShortener(path).run();
}
