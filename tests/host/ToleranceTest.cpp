// The command tolerances follow the host's unit factor and come back at the
// end of the command.
#include <gtest/gtest.h>

#include <vector>

#include "host/Tolerances.h"

namespace {

void expectTol(const XtGeTol& tol, double point, double vector) {
  EXPECT_DOUBLE_EQ(tol.equalPoint(), point);
  EXPECT_DOUBLE_EQ(tol.equalVector(), vector);
}

TEST(Tolerances, SetFromTheUnitFactorAndRestored) {
  workTol = XtGeTol(0.5, 0.25);
  workTolFine = XtGeTol(0.125, 0.0625);
  double saved[4];
  setGeometryTolerance(saved, 1);
  EXPECT_EQ(std::vector(saved, saved + 4), (std::vector{0.5, 0.25, 0.125, 0.0625}));
  expectTol(workTol, 1e-6, 1e-8);
  expectTol(workTolFine, 1e-9, 1e-11);

  double outer[4];
  setGeometryTolerance(outer, 1000);
  expectTol(workTol, 1e-3, 1e-5);
  expectTol(workTolFine, 1e-6, 1e-8);
  setGeometryTolerance(outer + 0, 0);  // 0 gives zero tolerances
  expectTol(workTol, 0, 0);
  expectTol(workTolFine, 0, 0);
  restoreGeometryTolerance(saved);
  expectTol(workTol, 0.5, 0.25);
  expectTol(workTolFine, 0.125, 0.0625);
}

TEST(Tolerances, ScopeRestoresAtItsEnd) {
  workTol = XtGeTol(1, 2);
  workTolFine = XtGeTol(3, 4);
  {
    GeometryToleranceScope scope(1000);
    expectTol(workTol, 1e-3, 1e-5);
  }
  expectTol(workTol, 1, 2);
  expectTol(workTolFine, 3, 4);
}

}  // namespace
