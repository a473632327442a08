// Random sets of outlines merged into boundary trees by union, even-odd
// nesting and union and subtraction by turns: the trees stay well formed
// and their net areas match a grid count of the same rule.
#include "tests/geometry/boundaryTrees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

using namespace curveShapes;
using namespace boundaryTrees;

namespace {

// The tolerances of a drawing with unit factor 1000.
class boundaryTreeProperties : public WorkTolerances {
 protected:
  void SetUp() override {
    WorkTolerances::SetUp();
    workTol = XtGeTol(1e-3, 1e-5);
    workTolFine = XtGeTol(1e-6, 1e-8);
  }
};

// Whether a cell is in the result of the rule (0 union, 3 even-odd, 1 union
// and subtraction by turns), given which curves hold it (bit k: curve k).
bool ruleHolds(int rule, std::uint32_t holds) {
  bool in = false;
  for (int k = 0; k < 32; ++k)
    if (holds >> k & 1u) in = rule == 3 ? !in : rule == 0 || k % 2 == 0;
  return in;
}

// Adds the curves by the rule and checks the tree against the area.
void expectRule(const std::vector<std::shared_ptr<const XtGeCurve2d>>& curves, int rule, double area, double tol) {
  std::vector<step> steps;
  for (std::size_t k = 0; k < curves.size(); ++k)
    steps.push_back({curves[k], static_cast<std::uint32_t>(rule == 1 ? k % 2 : rule)});
  tree t;
  build(t, steps);
  EXPECT_NEAR(netArea(t.root), area, tol) << "rule " << rule;
}

}  // namespace

TEST_F(boundaryTreeProperties, RandomOutlinesFarFromTheOrigin) {
  constexpr double kFrom = 1e7 - 300.0, kSize = 1600.0, kCell = kSize / 1000;
  for (std::uint32_t seed : {5u, 7u, 60u}) {  // each meets a pinched combination
    // Rectangles and bulged star outlines, every other one clockwise.
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> at(1e7 + 150.0, 1e7 + 850.0), size(80.0, 400.0);
    std::vector<std::shared_ptr<const XtGeCurve2d>> curves;
    while (curves.size() < 20) {
      const double x = at(rng), y = at(rng);
      CompositePtr c = curves.size() % 3 == 0 ? box(x - size(rng) / 2, y - size(rng) / 2, x + size(rng) / 2, y + size(rng) / 2)
                                              : randomOutline(rng, XtGePoint2d(x, y), 5 + curves.size() % 5, 60.0, 220.0, 0.4);
      if (!isSimpleOutline(*c, workTol)) continue;
      if (curves.size() % 2) c->reverseParam();
      curves.push_back(std::move(c));
    }
    // Which cells of a 1000 x 1000 grid each outline holds: even-odd scan
    // lines through a dense polygon of its samples.
    std::vector<std::uint32_t> holds(1000 * 1000, 0u);
    for (std::size_t k = 0; k < curves.size(); ++k) {
      XtGeInterval iv;
      curves[k]->getInterval(iv);
      XtGePoint2dArray p;
      curves[k]->getSamplePoints(iv.lowerBound(), iv.upperBound(), 1e-3, p);
      for (int row = 0; row < 1000; ++row) {
        const double y = kFrom + (row + 0.5) * kCell;
        std::vector<double> xs;
        for (int i = 0; i + 1 < p.length(); ++i)
          if ((p[i].y > y) != (p[i + 1].y > y))
            xs.push_back(p[i].x + (y - p[i].y) * (p[i + 1].x - p[i].x) / (p[i + 1].y - p[i].y));
        std::sort(xs.begin(), xs.end());
        for (std::size_t j = 0; j + 1 < xs.size(); j += 2)
          for (int col = std::max(0, int(std::ceil((xs[j] - kFrom) / kCell - 0.5)));
               col <= std::min(999, int(std::floor((xs[j + 1] - kFrom) / kCell - 0.5))); ++col)
            holds[row * 1000 + col] |= 1u << k;
      }
    }
    for (int rule : {0, 3, 1}) {
      double area = 0.0;
      for (std::uint32_t cell : holds) area += ruleHolds(rule, cell) ? kCell * kCell : 0.0;
      expectRule(curves, rule, area, 0.005 * area);
    }
  }
}

TEST_F(boundaryTreeProperties, GridRectanglesThatShareEdgesAndCorners) {
  // Rectangles on a coarse grid touch along edges and at corners all the
  // time; counting their unit cells is exact.
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> at(0, 8), length(1, 4);
    std::vector<std::shared_ptr<const XtGeCurve2d>> curves;
    std::vector<std::uint32_t> holds(12 * 12, 0u);
    for (int k = 0; k < 8; ++k) {
      const int x = at(rng), y = at(rng), w = length(rng), h = length(rng);
      curves.push_back(box(x, y, x + w, y + h, k % 2 == 1));
      for (int cx = x; cx < x + w; ++cx)
        for (int cy = y; cy < y + h; ++cy) holds[cx * 12 + cy] |= 1u << k;
    }
    for (int rule : {0, 3, 1})
      expectRule(curves, rule, std::count_if(holds.begin(), holds.end(), [&](std::uint32_t h) { return ruleHolds(rule, h); }),
                 1e-9);
  }
}
