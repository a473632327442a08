#include "heating/layout/COffsetBuilder.h"

#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/OffsetLevelAcceptance.h"
#include "heating/layout/OffsetLevelSteps.h"

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
  for (int k = 0; k < maxLevels; ++k) {
    if (k > 0)
      for (std::size_t i = 0; i < distances.size(); ++i)
        distances[i] = nextDistance(distances[i], limits_ != nullptr ? boundary.limits[i] : 0.0);

    PiecesGuard pieces;
    if (!makeOffsetPieces(boundary.curves, distances, pieces.pieces)) return;
    joinOffsetPieces(pieces.pieces);
    CGLHTesselationData tess;
    feedOffsetPolygon(pieces.pieces, tess);
    if (!tess.tessellateBoundary()) return;

    LevelGuard level;
    std::vector<COffsetLoop*> found;
    readContourLoops(tess, found);
    if (k == 0) {
      level.level->swap(found);
    } else {
      OffsetLevelAcceptance acceptance(*levels.back(), halfSpacing, workTolFine);
      level.level->reserve(found.size());
      for (COffsetLoop*& loop : found) {
        if (acceptance.accepts(*loop)) level.level->push_back(loop);
        else delete loop;
        loop = nullptr;
      }
    }
    if (level.level->empty()) return;
    levels.push_back(level.level.get());
    level.level.release();
    if (single) return;
  }
}
