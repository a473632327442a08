// The module's global tolerance objects.
//
// workTol and workTolFine follow the host's unit factor n: each command sets
// them with setGeometryTolerance before it starts any geometry or worker
// thread and puts the saved values back at its end; worker threads only read
// them. fixedTolCoarse and fixedTolFine are the shared library's own pair, set
// once at load.
#pragma once

#include <array>

#include "platform/ge/XtGeTol.h"

extern XtGeTol workTol;         // equal point n × 1e-6, equal vector n × 1e-8
extern XtGeTol workTolFine;     // 1000 times finer than workTol
extern XtGeTol fixedTolCoarse;  // 1e-5 / 1e-7
extern XtGeTol fixedTolFine;    // 1e-8 / 1e-10

// Sets fixedTolCoarse and fixedTolFine (done once when the module loads).
void hvSetDefaultTolerances();

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
