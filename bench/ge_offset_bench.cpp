// Trimmed offsets of a zone-sized loop: 200 pieces, walls with notches and
// bulged bays, in millimetres, offset by a border band and by a distance
// that splits the loop.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A 200-piece loop: around a circle of radius 6 m, 50 teeth of four pieces
// each (up, across bulged, down, across), counter-clockwise.
XtGeCompositeCurve2d toothedLoop() {
  constexpr int kTeeth = 50;
  std::vector<XtGePoint2d> v;
  for (int i = 0; i < kTeeth; ++i) {
    const double a0 = XtGe::kTwoPi * i / kTeeth;
    const double a1 = XtGe::kTwoPi * (i + 0.5) / kTeeth;
    const double depth = (i % 5 == 0) ? 1800.0 : 600.0;
    for (const auto& [a, r] : {std::pair{a0, 6000.0}, std::pair{a0, 6000.0 + depth},
                               std::pair{a1, 6000.0 + depth}, std::pair{a1, 6000.0}})
      v.emplace_back(r * std::cos(a), r * std::sin(a));
  }
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (size_t i = 0; i < v.size(); ++i) {
    const XtGePoint2d& p = v[i];
    const XtGePoint2d& q = v[(i + 1) % v.size()];
    if (i % 4 == 1)
      pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, 0.25));
    else
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

void BM_TrimmedOffset(benchmark::State& state) {
  const XtGeCompositeCurve2d loop = toothedLoop();
  const double d = static_cast<double>(state.range(0));
  const int extType = static_cast<int>(state.range(1));
  const XtGeTol tol(1e-3, 1e-8);
  int results = 0;
  for (auto _ : state) {
    XtGeCurve2dPtrArray out;
    loop.getTrimmedOffset(d, out, extType, tol);
    results = out.length();
    for (XtGeCurve2d* c : out) delete c;
  }
  state.counters["results"] = results;
}
// Border band inward and outward, then an inward offset that cuts every
// tooth off the core.
BENCHMARK(BM_TrimmedOffset)
    ->Args({150, XtGe::kExtend})
    ->Args({150, XtGe::kFillet})
    ->Args({150, XtGe::kChamfer})
    ->Args({-150, XtGe::kExtend})
    ->Args({-150, XtGe::kFillet})
    ->Args({400, XtGe::kExtend})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
