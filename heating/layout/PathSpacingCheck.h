// Whether a circuit's laid path keeps clear of itself: no two of its points
// that are not neighbours along the path come closer than the pipe's outer
// diameter d. Two points are neighbours when the path between them is
// shorter than the neighbour reach, kNeighbourReach × d (points up to half
// as much again apart along the path may count as neighbours too, see
// below): within that reach a pipe turns a corner, meets its own next piece
// at their shared end, or turns from supply into return, and is sound. A
// crossing, a piece laid over another one, two runs nearer than d and a
// spike that folds back on itself (longer than about 2 d) all come closer
// than d beyond the reach. A corner sharper than about 29 degrees counts as
// a spike.
//
// The pieces are cut into chunks of at most kChunkReaches × the reach and
// sorted into a uniform grid of cells at least as wide as a chunk and its
// margin of d / 2, so each chunk lies in at most four cells and only chunks
// that share a cell are compared, each pair once. Chunks far apart along the
// path are compared by their exact distance; chunks nearer than the reach
// by the exact distance of their stretches that lie beyond the reach from
// each other. Straight pieces and arcs of at most half a turn never come
// back to themselves, so their own chunks are not compared.
//
// Bounds: at most kMaxChunks chunks (longer chunks on a very long path; a
// path of more pieces than half that is not checked) and kMaxCellsPerAxis
// cells along either axis (wider cells over a very wide path); at most
// kMaxPairTests pairs are compared. A path beyond these bounds cannot be
// shown sound: every zone of it is named. Memory is reused from one call
// to the next; a call allocates only when its path is larger than any before.
//
// Threads: one object per thread.
#pragma once

#include "heating/layout/LaidPathPiece.h"

#include <cstdint>
#include <vector>

class PathSpacingCheck {
 public:
  static constexpr double kNeighbourReach = 4.0;
  static constexpr double kChunkReaches = 2.0;
  static constexpr std::size_t kMaxChunks = std::size_t{1} << 21;
  static constexpr int kMaxCellsPerAxis = 1024;
  static constexpr std::uint64_t kMaxPairTests = std::uint64_t{1} << 26;

  // Marks in `zoneFaults` (grown to cover every zone of the pieces; marks
  // already there stay) each zone of a piece that comes closer than d to a
  // point of the path that is not its neighbour. d is the larger of the two
  // zones' diameters (`diameters` by zone position; zones beyond the list
  // take its last entry; a list without entries, or an entry that is not a
  // positive finite number, counts as `fallback`). A piece with a
  // coordinate that is not finite marks its zone. Answers false, every zone
  // of the path marked, when the bound on compared pairs was reached.
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

  bool tooClose(const Chunk& a, const Chunk& b, double reach) const;
  // False when the path needs more than kMaxChunks chunks.
  bool cutIntoChunks(const std::vector<LaidPathPiece>& pieces, const std::vector<double>& diameters, double fallback,
                     std::vector<std::uint8_t>& zoneFaults);
  void buildGrid();

  std::vector<Chunk> chunks_;
  std::vector<std::uint32_t> cellStart_;
  std::vector<std::uint32_t> cellItems_;
  double largestDiameter_ = 0.0;
  double origin_[2] = {0.0, 0.0};
  double cellSize_ = 1.0;
  int columns_ = 0;
  int rows_ = 0;
};
