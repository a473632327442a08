// Region operations at the sizes they meet: the union of two zone-sized
// loops of 200 pieces crossing 40 times, and the union and difference of
// two rooms of 12 sides.
#include "geometry/Tolerances.h"
#include "geometry/curveSplitting.h"
#include "geometry/regionCombination.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kPieces = 200;

// A closed loop of kPieces about the centre, segments and slightly bulged
// arcs by turns, its radius waving `waves` times round by `amplitude`.
XtGeCompositeCurve2d wavyLoop(double radius, int waves, double amplitude, double phase) {
  std::vector<XtGePoint2d> v;
  for (int i = 0; i < kPieces; ++i) {
    const double a = XtGe::kTwoPi * (i + phase) / kPieces;
    const double r = radius * (1.0 + amplitude * std::sin(waves * a));
    v.emplace_back(r * std::cos(a), r * std::sin(a));
  }
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (int i = 0; i < kPieces; ++i) {
    const XtGePoint2d& p = v[i];
    const XtGePoint2d& q = v[(i + 1) % kPieces];
    if (i % 2 == 0) pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
    else pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, 0.01));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

// A room shaped like a plus sign (12 sides), w wide arms, offset by (dx, dy).
XtGeCompositeCurve2d plusRoom(double w, double dx, double dy) {
  const double c[][2] = {{1, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 2}, {2, 2},
                         {2, 3}, {1, 3}, {1, 2}, {0, 2}, {0, 1}, {1, 1}};
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (int i = 0; i < 12; ++i) {
    const XtGePoint2d p(c[i][0] * w + dx, c[i][1] * w + dy);
    const XtGePoint2d q(c[(i + 1) % 12][0] * w + dx, c[(i + 1) % 12][1] * w + dy);
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

void useMillimetres() {
  workTol = XtGeTol(1e-3, 1e-5);
  workTolFine = XtGeTol(1e-6, 1e-8);
}

void combineLoop(benchmark::State& state, const XtGeCurve2d& a, const XtGeCurve2d& b, bool keepA,
                 bool dropB) {
  int curves = 0;
  for (auto _ : state) {
    ownedCurveList out;
    combineClosedCurves(a, b, out.list, keepA, nullptr, dropB);
    curves = out.list.count();
    benchmark::DoNotOptimize(curves);
  }
  state.counters["curves"] = curves;
}

void BM_UnionOfZoneLoops(benchmark::State& state) {
  useMillimetres();
  const XtGeCompositeCurve2d a = wavyLoop(5000.0, 20, 0.05, 0.0);
  const XtGeCompositeCurve2d b = wavyLoop(5000.0, 1, 0.0, 0.37);
  combineLoop(state, a, b, false, true);
}
BENCHMARK(BM_UnionOfZoneLoops)->Unit(benchmark::kMillisecond);

void BM_SplitZoneLoop(benchmark::State& state) {
  useMillimetres();
  const XtGeCompositeCurve2d a = wavyLoop(5000.0, 20, 0.05, 0.0);
  const XtGeCompositeCurve2d b = wavyLoop(5000.0, 1, 0.0, 0.37);
  int pieces = 0;
  for (auto _ : state) {
    ownedCurveList out;
    splitCurveAtCurve(a, b, out.list);
    pieces = out.list.count();
    benchmark::DoNotOptimize(pieces);
  }
  state.counters["pieces"] = pieces;
}
BENCHMARK(BM_SplitZoneLoop)->Unit(benchmark::kMillisecond);

void BM_UnionOfRooms(benchmark::State& state) {
  useMillimetres();
  combineLoop(state, plusRoom(2000, 0, 0), plusRoom(2000, 1300, 700), false, true);
}
BENCHMARK(BM_UnionOfRooms)->Unit(benchmark::kMicrosecond);

void BM_DifferenceOfRooms(benchmark::State& state) {
  useMillimetres();
  combineLoop(state, plusRoom(2000, 0, 0), plusRoom(2000, 1300, 700), false, false);
}
BENCHMARK(BM_DifferenceOfRooms)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
