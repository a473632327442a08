// Composite curves at the size of zone loops: intersection of two loops of
// 200 pieces each, and point queries on one.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kPieces = 200;

// A wavy closed loop about centre: segments and bulged arcs by turns.
XtGeCompositeCurve2d wavyLoop(const XtGePoint2d& centre, double radius, double phase) {
  std::vector<XtGePoint2d> v;
  for (int i = 0; i < kPieces; ++i) {
    const double a = XtGe::kTwoPi * i / kPieces + phase;
    const double r = radius * (1.0 + 0.08 * std::sin(7.0 * a));
    v.emplace_back(centre.x + r * std::cos(a), centre.y + r * std::sin(a));
  }
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (int i = 0; i < kPieces; ++i) {
    const XtGePoint2d& p = v[i];
    const XtGePoint2d& q = v[(i + 1) % kPieces];
    if (i % 2 == 0)
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(p, q));
    else
      pieces.push_back(std::make_unique<XtGeCircArc2d>(p, q, i % 4 == 1 ? 0.2 : -0.2));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

void BM_CompositeCompositeIntersection(benchmark::State& state) {
  const XtGeCompositeCurve2d a = wavyLoop(XtGePoint2d(0, 0), 5000.0, 0.0);
  const XtGeCompositeCurve2d b = wavyLoop(XtGePoint2d(300, -200), 5000.0, 0.2);
  const XtGeTol tol(1e-3, 1e-8);
  int points = 0;
  for (auto _ : state) {
    const XtGeCurveCurveInt2d x(a, b, tol);
    points = x.numIntPoints();
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = points;
}
BENCHMARK(BM_CompositeCompositeIntersection)->Unit(benchmark::kMicrosecond);

void BM_RayCompositeIntersection(benchmark::State& state) {
  const XtGeCompositeCurve2d loop = wavyLoop(XtGePoint2d(0, 0), 5000.0, 0.0);
  int i = 0;
  for (auto _ : state) {
    const double a = 0.01 * (i++ % 628);
    const XtGeCurveCurveInt2d x(XtGeRay2d(XtGePoint2d(100, 50), XtGeVector2d(std::cos(a), std::sin(a))), loop);
    benchmark::DoNotOptimize(x.numIntPoints());
  }
}
BENCHMARK(BM_RayCompositeIntersection);

// Query points spread over and around the loop.
template <class Op>
void runPointQueries(benchmark::State& state, Op op) {
  const XtGeCompositeCurve2d loop = wavyLoop(XtGePoint2d(0, 0), 5000.0, 0.0);
  std::size_t i = 0;
  for (auto _ : state) {
    const XtGePoint2d q(static_cast<double>(i % 97) * 130.0 - 6300.0,
                        static_cast<double>(i % 89) * 140.0 - 6200.0);
    benchmark::DoNotOptimize(op(loop, q));
    ++i;
  }
}

void BM_CompositeClosestPoint(benchmark::State& state) {
  runPointQueries(state, [](const XtGeCompositeCurve2d& c, const XtGePoint2d& q) {
    return c.closestPointTo(q);
  });
}
BENCHMARK(BM_CompositeClosestPoint);

void BM_CompositeIsOn(benchmark::State& state) {
  runPointQueries(state, [](const XtGeCompositeCurve2d& c, const XtGePoint2d& q) {
    return c.isOn(c.xtEvalPoint(std::fmod(std::fabs(q.x) * 1e-4, 1.0)));
  });
}
BENCHMARK(BM_CompositeIsOn);

void BM_CompositeFromPieces(benchmark::State& state) {
  const XtGeCompositeCurve2d loop = wavyLoop(XtGePoint2d(0, 0), 5000.0, 0.0);
  XtGeCurve2dPtrArray pieces;
  loop.getCurveList(pieces);
  for (auto _ : state) {
    XtGeCompositeCurve2d copy(pieces);
    benchmark::DoNotOptimize(copy.length());
  }
}
BENCHMARK(BM_CompositeFromPieces)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
