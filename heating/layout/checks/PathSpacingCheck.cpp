#include "heating/layout/checks/PathSpacingCheck.h"

#include "platform/ge/XtGe.h"

#include <algorithm>
#include <cmath>

namespace {

double diameterOf(const std::vector<double>& diameters, std::uint32_t zone, double fallback) {
  if (diameters.empty()) return fallback;
  const double d = diameters[std::min<std::size_t>(zone, diameters.size() - 1)];
  return std::isfinite(d) && d > 0.0 ? d : fallback;
}

void mark(std::vector<std::uint8_t>& faults, std::uint32_t zone) {
  if (faults.size() <= zone) faults.resize(std::size_t{zone} + 1, 0);
  faults[zone] = 1;
}

bool marked(const std::vector<std::uint8_t>& faults, std::uint32_t zone) {
  return zone < faults.size() && faults[zone] != 0;
}

bool boxesOverlap(const double (&a)[4], const double (&b)[4]) {
  return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

// A piece that never comes back to itself: straight, or an arc of at most
// half a turn.
bool keepsClearOfItself(const PathPiece& piece) { return !piece.isArc || std::fabs(piece.sweep) <= XtGe::kPi; }

// k: on the legs of a corner of the sharpest angle allowed, points draw
// apart k times as fast as the path runs between them.
const double kSpread = std::sin(PathSpacingCheck::kSharpestCorner * XtGe::kPi / 360.0);

// Two straight pieces, b starting where a ends, the path's diameter d and
// neighbour reach: whether points on the legs of their corner conflict.
// With a and b the distances from the corner, |p - q| >= (a + b) sin(corner
// / 2), and on every line a + b = c the pair a = b comes nearest; so the
// legs conflict when the corner is sharper than the sharpest allowed, or
// when the nearest pair just beyond the reach is nearer than d.
bool cornerConflicts(const PathPiece& a, const PathPiece& b, double d, double reach) {
  const XtGeVector2d back = a.start - a.end;
  const XtGeVector2d on = b.end - b.start;
  const double lengthA = back.length();
  const double lengthB = on.length();
  if (!(lengthA > 0.0 && lengthB > 0.0)) return false;
  const double cosine = std::clamp(back.dotProduct(on) / (lengthA * lengthB), -1.0, 1.0);
  if (std::sqrt(0.5 * (1.0 - cosine)) < kSpread) return true;
  if (lengthA + lengthB <= reach) return false;
  const double onA = std::clamp(0.5 * reach, reach - lengthB, lengthA);
  const double onB = reach - onA;
  return onA * onA + onB * onB - 2.0 * onA * onB * cosine < d * d;
}

}  // namespace

PathSpacingCheck::Verdict PathSpacingCheck::judge(const Pair& pair, double d, std::uint64_t& distances) {
  ++distances;
  const double distance = distanceBetween(pair.a, pair.b);
  if (!(distance < d)) return Verdict::kClear;
  // The path between a point of a and one of b is at least the gap and at
  // most the gap and both lengths.
  const double reach = kNeighbourReach * d;
  const double longest = pair.lengthA + pair.gap + pair.lengthB;
  if (longest <= reach && distance >= kSpread * longest) return Verdict::kClear;
  if (pair.gap > reach || distance < kSpread * pair.gap) return Verdict::kConflict;
  if (pair.gap == 0.0 && !pair.a.isArc && !pair.b.isArc && pair.a.end.distanceTo(pair.b.start) <= 1e-9 * d)
    return cornerConflicts(pair.a, pair.b, d, reach) ? Verdict::kConflict : Verdict::kClear;
  return Verdict::kUndecided;
}

bool PathSpacingCheck::conflict(const Chunk& first, const Chunk& second, std::uint64_t& distances) {
  const double d = std::max(first.diameter, second.diameter);
  // The path between them; chunks that follow each other have none (the
  // sum of the lengths before them may differ in its last bits).
  double gap = second.along - (first.along + first.length);
  if (gap <= 1e-12 * second.along + 1e-9 * d) gap = 0.0;
  const Pair whole{first.geometry, second.geometry, first.length, second.length, gap, 0};
  const Verdict verdict = judge(whole, d, distances);
  if (verdict != Verdict::kUndecided) return verdict == Verdict::kConflict;
  // Halved depth first: each halving replaces one pair by two, so no more
  // than kMaxHalvings + 1 pairs wait at once.
  const double shortest = d / kMinPartDiameters;
  Pair* waiting = waiting_.data();
  int count = 0;
  waiting[count++] = whole;
  while (count > 0) {
    const Pair pair = waiting[--count];
    if (pair.halvings > 0) {
      const Verdict part = judge(pair, d, distances);
      if (part == Verdict::kConflict) return true;
      if (part == Verdict::kClear) continue;
    }
    if (pair.halvings >= kMaxHalvings || (pair.lengthA <= shortest && pair.lengthB <= shortest)) continue;
    const int halvings = pair.halvings + 1;
    if (pair.lengthA >= pair.lengthB) {
      const double half = 0.5 * pair.lengthA;
      waiting[count++] = {pair.a.part(0.0, half), pair.b, half, pair.lengthB, pair.gap + half, halvings};
      waiting[count++] = {pair.a.part(half, pair.lengthA), pair.b, half, pair.lengthB, pair.gap, halvings};
    } else {
      const double half = 0.5 * pair.lengthB;
      waiting[count++] = {pair.a, pair.b.part(half, pair.lengthB), pair.lengthA, half, pair.gap + half, halvings};
      waiting[count++] = {pair.a, pair.b.part(0.0, half), pair.lengthA, half, pair.gap, halvings};
    }
  }
  return false;
}

bool PathSpacingCheck::cutIntoChunks(const std::vector<LaidPathPiece>& pieces, const std::vector<double>& diameters,
                                     double fallback, std::vector<std::uint8_t>& zoneFaults) {
  chunks_.clear();
  largestDiameter_ = 0.0;
  double total = 0.0;
  for (const LaidPathPiece& piece : pieces) {
    largestDiameter_ = std::max(largestDiameter_, diameterOf(diameters, piece.zone, fallback));
    if (piece.geometry.isFinite()) total += piece.geometry.length();
  }
  // Longer chunks on a path too long for kMaxChunks of the usual length.
  const double chunkLength =
      std::max({kChunkDiameters * largestDiameter_, total / static_cast<double>(kMaxChunks / 2), 1e-9});
  const auto chunkCount = [&](double length) { return std::max(1, static_cast<int>(std::ceil(length / chunkLength))); };
  std::size_t needed = 0;
  for (const LaidPathPiece& piece : pieces)
    if (piece.geometry.isFinite()) needed += static_cast<std::size_t>(chunkCount(piece.geometry.length()));
  if (needed > kMaxChunks) return false;
  chunks_.reserve(needed);
  double along = 0.0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const LaidPathPiece& piece = pieces[i];
    const double length = piece.geometry.length();
    if (!piece.geometry.isFinite() || !std::isfinite(length)) {
      mark(zoneFaults, piece.zone);
      continue;
    }
    const int count = chunkCount(length);
    for (int c = 0; c < count; ++c) {
      const double from = length * c / count;
      const double to = length * (c + 1) / count;
      Chunk chunk{count == 1 ? piece.geometry : piece.geometry.part(from, to),
                  along + from,
                  to - from,
                  static_cast<std::uint32_t>(i),
                  piece.zone,
                  diameterOf(diameters, piece.zone, fallback),
                  {},
                  {}};
      chunk.geometry.box(0.5 * largestDiameter_, chunk.box);
      chunks_.push_back(chunk);
    }
    along += length;
  }
  return true;
}

void PathSpacingCheck::buildGrid() {
  double extent[4] = {chunks_.front().box[0], chunks_.front().box[1], chunks_.front().box[2], chunks_.front().box[3]};
  double widest = 0.0;
  for (const Chunk& chunk : chunks_) {
    extent[0] = std::min(extent[0], chunk.box[0]);
    extent[1] = std::min(extent[1], chunk.box[1]);
    extent[2] = std::max(extent[2], chunk.box[2]);
    extent[3] = std::max(extent[3], chunk.box[3]);
    widest = std::max({widest, chunk.box[2] - chunk.box[0], chunk.box[3] - chunk.box[1]});
  }
  // A cell holds a whole chunk with its margin, so a chunk covers at most
  // two cells along either axis.
  const double span = std::max(extent[2] - extent[0], extent[3] - extent[1]);
  cellSize_ = std::max({widest, span / kMaxCellsPerAxis, 1e-9});
  origin_[0] = extent[0];
  origin_[1] = extent[1];
  columns_ = std::clamp(static_cast<int>((extent[2] - extent[0]) / cellSize_) + 1, 1, kMaxCellsPerAxis + 1);
  rows_ = std::clamp(static_cast<int>((extent[3] - extent[1]) / cellSize_) + 1, 1, kMaxCellsPerAxis + 1);
  const auto cellOf = [&](double v, int axis, int count) {
    return std::clamp(static_cast<int>((v - origin_[axis]) / cellSize_), 0, count - 1);
  };
  for (Chunk& chunk : chunks_) {
    chunk.cells[0] = cellOf(chunk.box[0], 0, columns_);
    chunk.cells[1] = cellOf(chunk.box[1], 1, rows_);
    chunk.cells[2] = cellOf(chunk.box[2], 0, columns_);
    chunk.cells[3] = cellOf(chunk.box[3], 1, rows_);
  }
  // Each cell's chunks, in chunk order, as one array with its starts.
  cellStart_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
  const auto forEachCell = [&](const Chunk& chunk, auto&& visit) {
    for (int y = chunk.cells[1]; y <= chunk.cells[3]; ++y)
      for (int x = chunk.cells[0]; x <= chunk.cells[2]; ++x) visit(static_cast<std::size_t>(y) * columns_ + x);
  };
  for (const Chunk& chunk : chunks_) forEachCell(chunk, [&](std::size_t cell) { ++cellStart_[cell + 1]; });
  for (std::size_t cell = 1; cell < cellStart_.size(); ++cell) cellStart_[cell] += cellStart_[cell - 1];
  cellItems_.resize(cellStart_.back());
  std::vector<std::uint32_t>& next = cellItems_;
  // Fill from each cell's start, counting up; the starts are restored after.
  for (std::uint32_t i = 0; i < chunks_.size(); ++i)
    forEachCell(chunks_[i], [&](std::size_t cell) { next[cellStart_[cell]++] = i; });
  for (std::size_t cell = cellStart_.size() - 1; cell > 0; --cell) cellStart_[cell] = cellStart_[cell - 1];
  cellStart_[0] = 0;
}

bool PathSpacingCheck::check(const std::vector<LaidPathPiece>& pieces, const std::vector<double>& diameters,
                             double fallback, std::vector<std::uint8_t>& zoneFaults) {
  if (!cutIntoChunks(pieces, diameters, fallback, zoneFaults)) {
    for (const LaidPathPiece& piece : pieces) mark(zoneFaults, piece.zone);
    return false;
  }
  if (chunks_.size() < 2) return true;
  buildGrid();
  std::uint64_t distances = 0;
  for (int y = 0; y < rows_; ++y) {
    for (int x = 0; x < columns_; ++x) {
      const std::size_t cell = static_cast<std::size_t>(y) * columns_ + x;
      for (std::uint32_t p = cellStart_[cell]; p < cellStart_[cell + 1]; ++p) {
        for (std::uint32_t q = p + 1; q < cellStart_[cell + 1]; ++q) {
          // Items are in chunk order, so a comes before b along the path.
          const Chunk& a = chunks_[cellItems_[p]];
          const Chunk& b = chunks_[cellItems_[q]];
          // Each pair once: in the first cell both cover.
          if (std::max(a.cells[0], b.cells[0]) != x || std::max(a.cells[1], b.cells[1]) != y) continue;
          if (!boxesOverlap(a.box, b.box)) continue;
          if (a.piece == b.piece && keepsClearOfItself(pieces[a.piece].geometry)) continue;
          if (marked(zoneFaults, a.zone) && marked(zoneFaults, b.zone)) continue;
          if (conflict(a, b, distances)) {
            mark(zoneFaults, a.zone);
            mark(zoneFaults, b.zone);
          }
          if (distances > kMaxDistances) {
            for (const LaidPathPiece& piece : pieces) mark(zoneFaults, piece.zone);
            return false;
          }
        }
      }
    }
  }
  return true;
}
