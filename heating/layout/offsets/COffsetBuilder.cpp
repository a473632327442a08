#include "heating/layout/offsets/COffsetBuilder.h"

#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/offsets/OffsetLevelAcceptance.h"
#include "heating/layout/offsets/OffsetLevelSteps.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"
#include "heating/layout/offsets/OffsetPolygonReduction.h"
#include "heating/layout/offsets/RingContourCheck.h"

#include "heating/curves/CGLHTesselationData.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <memory>

COffsetBuilder::COffsetBuilder(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset, double spacing)
    : curves_(&curves), firstOffset_(firstOffset), spacing_(spacing) {}

void COffsetBuilder::setEdgeLimits(const std::vector<double>* limits) {
  limits_ = limits != nullptr && limits->size() == curves_->size() ? limits : nullptr;
}

double COffsetBuilder::nextDistance(double d, double limit) const {
  d += 0.5 * spacing_;
  if (limits_ == nullptr || d > limit) d += 0.5 * spacing_;
  return d;
}

double COffsetBuilder::levelDistance(int i, int k) const {
  const double limit = limits_ != nullptr && i >= 0 && i < static_cast<int>(limits_->size()) ? (*limits_)[i] : 0.0;
  double d = firstOffset_;
  for (int level = 0; level < k; ++level) d = nextDistance(d, limit);
  return d;
}

namespace {

// Frees the pieces of a level on every way out.
struct PiecesGuard {
  std::vector<COffsetPiece*> pieces;
  ~PiecesGuard() { deletePiecesAndClear(pieces); }
};

// Frees a level that is not handed over.
struct LevelGuard {
  std::unique_ptr<COffsetBuilder::Level> level = std::make_unique<COffsetBuilder::Level>();
  ~LevelGuard() {
    if (level != nullptr) deleteOffsetLoopsAndFree(*level);
  }
};

// Frees loops read but not handed over.
struct FoundGuard {
  std::vector<COffsetLoop*> loops;
  ~FoundGuard() { deleteOffsetLoopsAndFree(loops); }
};

// How far the edges of a reduced polygon and the contours read from it keep
// from the loops of the level before, as a share of the spacing: far more
// than the tessellator's rounding, far less than a level's step.
constexpr double kDomainMargin = 0.05;

// A loop of a level after the first whose mean width (loopMeanWidth) is
// below this share of the spacing is dropped as one of no width: a zone
// exactly 2 (d0 + k s) across gives level k no loop, and one a few
// micrometres wider must not give it a loop that adds a run.
constexpr double kSliverWidth = 0.001;

// Tessellates the ring, quarter turned or not, and appends its contours as
// loops; false when the tessellation fails.
bool tessellateRingOnce(const std::vector<XtGePoint2d>& ring, bool turned, std::vector<COffsetLoop*>& found) {
  CGLHTesselationData tess;
  tess.setQuarterTurned(turned);
  feedPolygonRing(ring, tess);
  if (!tess.tessellateBoundary()) return false;
  readContourLoops(tess, found);
  return true;
}

// Tessellates the ring and appends its contours as loops; false when the
// tessellation fails. The tessellator sweeps along x, and where a crossing
// of two edges lies on an edge along y it may put the crossing on that
// edge's end instead (the corner of a level where a wall along y meets an
// arc moved by millimetres on 1e-10 of noise, and the layout with it): the
// contours then leave the ring's edges. Such contours are made again with
// the ring quarter turned, where that edge lies along the sweep, and those
// are taken when they follow the ring.
bool tessellateRing(const std::vector<XtGePoint2d>& ring, std::vector<COffsetLoop*>& found) {
  const std::size_t first = found.size();
  if (!tessellateRingOnce(ring, false, found)) return false;
  const double tol = workTol.equalPoint();
  if (loopsFollowRing(ring, found, first, tol)) return true;
  FoundGuard turned;
  if (!tessellateRingOnce(ring, true, turned.loops) || !loopsFollowRing(ring, turned.loops, 0, tol)) return true;
  for (std::size_t i = first; i < found.size(); ++i) delete found[i];
  found.resize(first);
  found.insert(found.end(), turned.loops.begin(), turned.loops.end());
  turned.loops.clear();
  return true;
}

// The contours of a level after the first that may lie inside a loop of the
// level before: those of the ring reduced to what shapes them there
// (OffsetPolygonReduction.h) when they keep clear of the previous loops,
// else those of the whole ring; `clear` tells which (the loops found then
// keep clear of the previous ones). False when the tessellation fails.
bool deeperLevelContours(const std::vector<XtGePoint2d>& ring, const OffsetLevelAcceptance& previous, double margin,
                         std::vector<COffsetLoop*>& found, bool& clear) {
  clear = false;
  std::vector<const LoopContainment*> domain;
  if (previous.indexes(domain)) {
    std::vector<XtGePoint2d> reduced;
    if (reduceRingOutsideDomain(ring, domain, margin, reduced) == RingReduction::kClearOfDomain) return true;
    if (tessellateRing(reduced, found) && contoursClearOfDomain(found, domain, margin)) {
      clear = true;
      return true;
    }
    deleteOffsetLoopsAndFree(found);
  }
  return tessellateRing(ring, found);
}

}  // namespace

void COffsetBuilder::buildLoops(std::vector<Level*>& levels) const {
  deleteLoopListsAndClear(levels);
  if (curves_->empty()) return;
  if (!std::isfinite(firstOffset_) || firstOffset_ < 0.0 || !std::isfinite(spacing_) || spacing_ < 0.0) return;

  OffsetBoundary boundary;
  if (!makeStraightBoundary(*curves_, limits_, boundary)) return;
  if (!(straightChainArea(boundary.curves) > 0.0)) return;  // clockwise or flat

  const bool single = spacing_ < workTol.equalPoint();
  const double levelCap = single ? 1.0 : std::floor(straightChainExtent(boundary.curves) / (0.5 * spacing_)) + 2.0;
  const int maxLevels = levelCap < kMaxOffsetLevels ? static_cast<int>(levelCap) : kMaxOffsetLevels;
  const double halfSpacing = 0.5 * spacing_;

  std::vector<double> distances(boundary.curves.size(), firstOffset_);
  std::vector<XtGePoint2d> ring;
  for (int k = 0; k < maxLevels; ++k) {
    if (k > 0)
      for (std::size_t i = 0; i < distances.size(); ++i)
        distances[i] = nextDistance(distances[i], limits_ != nullptr ? boundary.limits[i] : 0.0);

    PiecesGuard pieces;
    if (!makeOffsetPieces(boundary.curves, distances, pieces.pieces)) return;
    joinOffsetPieces(pieces.pieces);
    offsetPolygonRing(pieces.pieces, ring);

    LevelGuard level;
    FoundGuard found;
    if (k == 0) {
      if (!tessellateRing(ring, found.loops)) return;
      level.level->swap(found.loops);
    } else {
      OffsetLevelAcceptance acceptance(*levels.back(), halfSpacing, workTolFine);
      const double margin = kDomainMargin * spacing_;
      bool clear = false;
      if (!deeperLevelContours(ring, acceptance, margin, found.loops, clear)) return;
      clear = clear && margin > workTolFine.equalPoint();
      level.level->reserve(found.loops.size());
      for (COffsetLoop*& loop : found.loops) {
        const bool inside = clear ? acceptance.acceptsClearLoop(*loop) : acceptance.accepts(*loop);
        if (inside && loopMeanWidth(*loop, workTol) >= kSliverWidth * spacing_) level.level->push_back(loop);
        else delete loop;
        loop = nullptr;
      }
      found.loops.clear();
    }
    if (level.level->empty()) return;
    levels.push_back(level.level.get());
    level.level.release();
    if (single) return;
  }
}
