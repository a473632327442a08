// Tolerances and small helpers of the layout tests.
#pragma once

#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "host/Tolerances.h"

#include <gtest/gtest.h>

namespace layout_test {

// A millimetre drawing: workTol 1e-3, workTolFine 1e-6, unit factor 1000.
class LayoutTest : public testing::Test {
 protected:
  LayoutTest() : tolerances_(1000) { drawingUnitFactor = 1000.0; }
  ~LayoutTest() override { drawingUnitFactor = savedFactor_; }

 private:
  GeometryToleranceScope tolerances_;
  double savedFactor_ = drawingUnitFactor;
};

// The levels of a build, freed at the end of the scope.
struct Levels {
  std::vector<COffsetBuilder::Level*> levels;
  ~Levels() { deleteLoopListsAndClear(levels); }
  std::size_t size() const { return levels.size(); }
  const COffsetBuilder::Level& operator[](std::size_t k) const { return *levels[k]; }
};

// The bounding box of a loop's vertices as (x0, y0, x1, y1).
inline std::array<double, 4> box(const CLoop& loop) {
  std::array<double, 4> b{1e300, 1e300, -1e300, -1e300};
  for (const CLoopElement* e : loop.elements) {
    const XtGePoint2d& p = e->startPoint();
    b = {std::min(b[0], p.x), std::min(b[1], p.y), std::max(b[2], p.x), std::max(b[3], p.y)};
  }
  return b;
}

}  // namespace layout_test
