// Random sets of outlines far from the origin merged into boundary trees by
// union, even-odd nesting and alternating union and subtraction: the trees
// stay well formed and their net areas match a grid count of the same rule.
#include "tests/geometry/boundaryTrees.h"
#include "tests/geometry/curveShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

using namespace curveShapes;

namespace {

constexpr double kOrigin = 1e7;
constexpr double kField = 1000.0;  // the outlines' centres lie in it
constexpr double kGridFrom = kOrigin - 300.0;
constexpr double kGridSize = kField + 600.0;  // the outlines lie in it
constexpr int kGrid = 1000;

// The tolerances of a drawing with unit factor 1000.
class boundaryTreeProperties : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    workTol = XtGeTol(1e-3, 1e-5);
    workTolFine = XtGeTol(1e-6, 1e-8);
  }
};

// Rectangles and bulged star outlines over the field, half of them clockwise.
std::vector<CompositePtr> randomOutlines(std::uint32_t seed, int count) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> at(kOrigin + 150.0, kOrigin + kField - 150.0);
  std::uniform_real_distribution<double> size(80.0, 400.0);
  std::uniform_int_distribution<int> corners(5, 9);
  std::vector<CompositePtr> outlines;
  while (static_cast<int>(outlines.size()) < count) {
    const bool clockwise = outlines.size() % 2 == 1;
    CompositePtr c;
    if (outlines.size() % 3 == 0) {
      const double x = at(rng);
      const double y = at(rng);
      c = box(x - size(rng) / 2, y - size(rng) / 2, x + size(rng) / 2, y + size(rng) / 2, clockwise);
    } else {
      c = randomOutline(rng, XtGePoint2d(at(rng), at(rng)), corners(rng), 60.0, 220.0, 0.4);
      if (!isSimpleOutline(*c, workTol)) continue;
      if (clockwise) c->reverseParam();
    }
    outlines.push_back(std::move(c));
  }
  return outlines;
}

// Which cell centres of the grid over the field each outline holds, from a
// dense polygon through its samples (even-odd scan lines).
std::vector<std::vector<bool>> rasterise(const std::vector<CompositePtr>& outlines) {
  const double cell = kGridSize / kGrid;
  std::vector<std::vector<bool>> inside;
  for (const CompositePtr& outline : outlines) {
    std::vector<bool> cells(static_cast<std::size_t>(kGrid) * kGrid, false);
    XtGeInterval iv;
    outline->getInterval(iv);
    XtGePoint2dArray p;
    outline->getSamplePoints(iv.lowerBound(), iv.upperBound(), 1e-3, p);
    std::vector<double> xs;
    for (int row = 0; row < kGrid; ++row) {
      const double y = kGridFrom + (row + 0.5) * cell;
      xs.clear();
      for (int i = 0; i + 1 < p.length(); ++i) {
        const XtGePoint2d& a = p[i];
        const XtGePoint2d& b = p[i + 1];
        if ((a.y > y) != (b.y > y)) xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
      }
      std::sort(xs.begin(), xs.end());
      for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
        const int from = std::max(0, static_cast<int>(std::ceil((xs[k] - kGridFrom) / cell - 0.5)));
        const int to = std::min(kGrid - 1, static_cast<int>(std::floor((xs[k + 1] - kGridFrom) / cell - 0.5)));
        for (int col = from; col <= to; ++col) cells[static_cast<std::size_t>(row) * kGrid + col] = true;
      }
    }
    inside.push_back(std::move(cells));
  }
  return inside;
}

// The area the grid counts under the rule: 0 union, 3 even-odd, 1 union and
// subtraction by turns.
double gridArea(const std::vector<std::vector<bool>>& inside, int rule) {
  const double cell = kGridSize / kGrid;
  std::size_t count = 0;
  for (std::size_t c = 0; c < inside[0].size(); ++c) {
    bool in = false;
    for (std::size_t k = 0; k < inside.size(); ++k) {
      if (!inside[k][c]) continue;
      in = rule == 3 ? !in : rule == 0 ? true : k % 2 == 0;
    }
    count += in ? 1 : 0;
  }
  return count * cell * cell;
}

}  // namespace

TEST_F(boundaryTreeProperties, RandomOutlinesMergeIntoWellFormedTrees) {
  for (std::uint32_t seed : {7u, 22u, 71u}) {
    const std::vector<CompositePtr> outlines = randomOutlines(seed, 20);
    const std::vector<std::vector<bool>> inside = rasterise(outlines);
    for (int rule : {0, 3, 1}) {
      boundaryTrees::tree t;
      for (std::size_t k = 0; k < outlines.size(); ++k) {
        const std::uint32_t mode = rule == 1 ? static_cast<std::uint32_t>(k % 2) : static_cast<std::uint32_t>(rule);
        ASSERT_EQ(boundBuilderAddBoundary(t.root, *outlines[k], mode), kBoundaryAdded) << seed << " " << rule << " " << k;
      }
      boundaryTrees::expectWellFormed(t.root);
      const double expected = gridArea(inside, rule);
      EXPECT_NEAR(boundaryTrees::netArea(t.root), expected, 0.005 * expected) << "seed " << seed << " rule " << rule;
    }
  }
}

TEST_F(boundaryTreeProperties, GridRectanglesThatShareEdgesAndCorners) {
  // Rectangles on a coarse grid touch along edges and at corners all the
  // time; the grid count of their cells is exact.
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> at(0, 8);
    std::uniform_int_distribution<int> len(1, 4);
    std::vector<CompositePtr> rects;
    std::vector<std::array<int, 4>> cells;
    for (int k = 0; k < 8; ++k) {
      const int x = at(rng), y = at(rng), w = len(rng), h = len(rng);
      rects.push_back(box(x, y, x + w, y + h, k % 2 == 1));
      cells.push_back({x, y, x + w, y + h});
    }
    for (int rule : {0, 3, 1}) {
      boundaryTrees::tree t;
      int count = 0;
      for (int cx = 0; cx < 12; ++cx)
        for (int cy = 0; cy < 12; ++cy) {
          bool in = false;
          for (std::size_t k = 0; k < cells.size(); ++k) {
            if (cx < cells[k][0] || cx >= cells[k][2] || cy < cells[k][1] || cy >= cells[k][3]) continue;
            in = rule == 3 ? !in : rule == 0 ? true : k % 2 == 0;
          }
          count += in;
        }
      for (std::size_t k = 0; k < rects.size(); ++k) {
        const std::uint32_t mode = rule == 1 ? static_cast<std::uint32_t>(k % 2) : static_cast<std::uint32_t>(rule);
        ASSERT_EQ(boundBuilderAddBoundary(t.root, *rects[k], mode), kBoundaryAdded) << seed << " " << rule << " " << k;
      }
      boundaryTrees::expectWellFormed(t.root);
      EXPECT_NEAR(boundaryTrees::netArea(t.root), count, 1e-9) << "seed " << seed << " rule " << rule;
    }
  }
}
