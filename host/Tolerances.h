// Setting and restoring the command tolerances workTol and workTolFine
// (declared with the other global tolerances in geometry/Tolerances.h).
#pragma once

#include <array>

#include "geometry/Tolerances.h"

// Saves the equal point and equal vector of workTol and then of workTolFine
// into `saved`, then sets workTol to (n × 1e-6, n × 1e-8) and workTolFine to
// 0.001 times those. A unit factor of 0 gives zero tolerances.
void setGeometryTolerance(double saved[4], int n);

// Puts back the four values saved by setGeometryTolerance.
void restoreGeometryTolerance(const double saved[4]);

// Sets the command tolerances for its lifetime and restores them at its end.
class GeometryToleranceScope {
 public:
  explicit GeometryToleranceScope(int unitFactor) { setGeometryTolerance(saved_.data(), unitFactor); }
  ~GeometryToleranceScope() { restoreGeometryTolerance(saved_.data()); }
  GeometryToleranceScope(const GeometryToleranceScope&) = delete;
  GeometryToleranceScope& operator=(const GeometryToleranceScope&) = delete;

 private:
  std::array<double, 4> saved_{};
};
