// Boundary trees at the size of a hatch: a rectangle holding a 10 x 10 grid
// of square loops added by even-odd nesting (the hatch reader's rule), and
// the same grid with every square crossing its neighbours, so that each
// addition merges.
#include "geometry/Tolerances.h"
#include "geometry/boundaryTree.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<XtGeCompositeCurve2d> square(double x0, double y0, double x1, double y1) {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  const XtGePoint2d p[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  for (int i = 0; i < 4; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(p[i], p[(i + 1) % 4]));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(sides));
}

// The rectangle first, then the squares of side `side` at a pitch of 10.
std::vector<std::unique_ptr<XtGeCompositeCurve2d>> loops(double side) {
  std::vector<std::unique_ptr<XtGeCompositeCurve2d>> all;
  all.push_back(square(-5, -5, 110, 110));
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j) all.push_back(square(10 * i, 10 * j, 10 * i + side, 10 * j + side));
  return all;
}

void addAll(benchmark::State& state, double side) {
  workTol = XtGeTol(1e-6, 1e-8);
  workTolFine = XtGeTol(1e-9, 1e-11);
  const auto curves = loops(side);
  for (auto _ : state) {
    bndLevel root;
    for (const auto& c : curves) benchmark::DoNotOptimize(boundBuilderAddBoundary(root, *c, kBoundaryEvenOdd));
    releaseBoundaryLevel(root);
  }
}

void BM_SeparateSquaresInARectangle(benchmark::State& state) { addAll(state, 6.0); }
void BM_CrossingSquaresInARectangle(benchmark::State& state) { addAll(state, 13.0); }

}  // namespace

BENCHMARK(BM_SeparateSquaresInARectangle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossingSquaresInARectangle)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
