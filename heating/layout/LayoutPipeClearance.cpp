#include "heating/layout/LayoutPipeClearance.h"

#include "heating/layout/CFHCircuitLayout.h"

#include "heating/curves/DrawingUnitFactor.h"

#include <cmath>

bool LayoutPipeClearance::meetsItself(const CFHCircuitLayout& layout) {
  path_.clear();
  if (!appendLayoutPathPieces(layout, false, PathSpacingCheck::kMaxChunks / 2, path_)) return true;
  pieces_.clear();
  pieces_.reserve(path_.size());
  for (const LayoutPathPiece& piece : path_) pieces_.push_back({piece.geometry, 0, CFHCircuitSegment::Part::kRun});
  const double d = std::isfinite(layout.pipeDiameter) && layout.pipeDiameter > 0.0
                       ? layout.pipeDiameter
                       : spacing_rules::kDefaultPipeDiameterMetres * usableDrawingUnitFactor();
  faults_.clear();
  const std::vector<double> diameters{d};
  return !check_.check(pieces_, diameters, d, faults_) || (!faults_.empty() && faults_.front() != 0);
}
