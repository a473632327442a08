// Whether a circuit's laid path keeps clear of itself: no two of its points
// that are not neighbours along the path come closer than the pipe's outer
// diameter d.
//
// Two points p and q, with ℓ the length of the path between them, conflict
// when |p - q| < d and either ℓ > kNeighbourReach × d or |p - q| < k ℓ,
// k = sin(kSharpestCorner / 2). Within the reach the pipe meets its own
// next piece at their shared end, turns from supply into return, turns
// corners: sound while its legs draw apart at least k times as fast as the
// path runs between them; beyond the reach no point may come within d. So
// a crossing (distance 0), a stretch laid over another, a loop closing on
// itself and a spike folding back sharper than kSharpestCorner conflict
// however short the way between them, and two runs nearer than d, a hairpin
// narrower than d and a corner sharper than 2 asin(1 / (2 kNeighbourReach))
// (about 14 degrees: its legs come within d beyond the reach) conflict
// once they are longer than the reach allows.
//
// The pieces are cut into chunks of at most kChunkDiameters × d and sorted
// into a uniform grid of cells at least as wide as a chunk and its margin
// of d / 2, so each chunk lies in at most four cells and only chunks that
// share a cell are compared, each pair once. A pair of chunks farther apart
// than d does not conflict, nor one whose longest way between them lies
// within the reach while their distance is at least k times that way; one
// nearer than d whose shortest way between them is beyond the reach, or
// more than its distance / k, does; two straight chunks that meet at their
// shared end are judged exactly by their corner and lengths; any other pair
// is halved (the longer of the two) until it is decided or both
// are shorter than d / kMinPartDiameters, or were halved kMaxHalvings times
// (then it does not conflict). Straight pieces and arcs of at most half a
// turn never come back to themselves, so their own chunks are not compared.
//
// Bounds: at most kMaxChunks chunks (longer chunks on a very long path; a
// path of more pieces than half that is not checked), kMaxCellsPerAxis cells
// along either axis (wider cells over a very wide path) and kMaxDistances
// distances measured. A path beyond these bounds cannot be shown sound:
// every zone of it is named. Memory is reused from one call to the next; a
// call allocates only when its path is larger than any before, and a
// comparison never.
//
// Threads: one object per thread.
#pragma once

#include "heating/layout/LaidPathPiece.h"
#include "heating/layout/LayoutSpacingRules.h"

#include <cstdint>
#include <vector>

class PathSpacingCheck {
 public:
  // LayoutSpacingRules.h: the clearance's corner (degrees) and reach
  // (diameters).
  static constexpr double kSharpestCorner = spacing_rules::kClearanceSharpestCornerDegrees;
  static constexpr double kNeighbourReach = spacing_rules::kClearanceNeighbourDiameters;
  static constexpr double kChunkDiameters = 8.0;
  static constexpr double kMinPartDiameters = 16.0;
  static constexpr int kMaxHalvings = 48;
  static constexpr std::size_t kMaxChunks = std::size_t{1} << 21;
  static constexpr int kMaxCellsPerAxis = 1024;
  static constexpr std::uint64_t kMaxDistances = std::uint64_t{1} << 27;

  // Marks in `zoneFaults` (grown to cover every zone of the pieces; marks
  // already there stay) each zone of a piece that has a point in conflict
  // with another point of the path. d is the larger of the two zones'
  // diameters (`diameters` by zone position; zones beyond the list take its
  // last entry; a list without entries, or an entry that is not a positive
  // finite number, counts as `fallback`). A piece with a coordinate that is
  // not finite marks its zone. Answers false, every zone of the path marked,
  // when a bound was reached.
  bool check(const std::vector<LaidPathPiece>& pieces, const std::vector<double>& diameters, double fallback,
             std::vector<std::uint8_t>& zoneFaults);

 private:
  struct Chunk {
    PathPiece geometry;
    double along;   // path length before the chunk
    double length;
    std::uint32_t piece;  // the piece it was cut from
    std::uint32_t zone;
    double diameter;
    double box[4];  // grown by half the largest diameter
    int cells[4];   // the cells the box covers: ix0, iy0, ix1, iy1
  };

  // Two stretches of a pair of chunks and the length of the path between
  // them.
  struct Pair {
    PathPiece a, b;
    double lengthA, lengthB, gap;
    int halvings;
  };
  enum class Verdict { kClear, kConflict, kUndecided };
  // The pair by its distance (each measured counts in `distances`).
  static Verdict judge(const Pair& pair, double d, std::uint64_t& distances);
  // Whether a point of `a` conflicts with a point of `b`, `a` before `b`
  // along the path.
  bool conflict(const Chunk& a, const Chunk& b, std::uint64_t& distances);
  // False when the path needs more than kMaxChunks chunks.
  bool cutIntoChunks(const std::vector<LaidPathPiece>& pieces, const std::vector<double>& diameters, double fallback,
                     std::vector<std::uint8_t>& zoneFaults);
  void buildGrid();

  std::vector<Chunk> chunks_;
  // The halved pairs waiting to be judged.
  std::vector<Pair> waiting_ = std::vector<Pair>(kMaxHalvings + 2);
  std::vector<std::uint32_t> cellStart_;
  std::vector<std::uint32_t> cellItems_;
  double largestDiameter_ = 0.0;
  double origin_[2] = {0.0, 0.0};
  double cellSize_ = 1.0;
  int columns_ = 0;
  int rows_ = 0;
};
