// Time per call of the geometry library's hot members: simple curve
// intersections and closest points.
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kShapes = 256;

std::vector<XtGeLineSeg2d> segments(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-10.0, 10.0);
  std::vector<XtGeLineSeg2d> v;
  for (int i = 0; i < kShapes; ++i)
    v.emplace_back(XtGePoint2d(d(rng), d(rng)), XtGePoint2d(d(rng), d(rng)));
  return v;
}

std::vector<XtGeCircArc2d> arcs(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-10.0, 10.0);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  std::vector<XtGeCircArc2d> v;
  for (int i = 0; i < kShapes; ++i) {
    const double s = u(rng) * XtGe::kTwoPi;
    v.emplace_back(XtGePoint2d(d(rng), d(rng)), 1.0 + 6.0 * u(rng), s, s + u(rng) * XtGe::kTwoPi,
                   XtGeVector2d::kXAxis, u(rng) < 0.5);
  }
  return v;
}

// Calls op on pairs of shapes taken in a fixed pseudo-random order.
template <class A, class B, class Op>
void runPairs(benchmark::State& state, const std::vector<A>& a, const std::vector<B>& b, Op op) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(op(a[i % kShapes], b[(i * 7) % kShapes]));
    ++i;
  }
}

// Calls op on every shape with query points spread over the drawing.
template <class A, class Op>
void runPoints(benchmark::State& state, const std::vector<A>& a, Op op) {
  std::size_t i = 0;
  for (auto _ : state) {
    const XtGePoint2d q(static_cast<double>(i % 97) * 0.2 - 9.0, static_cast<double>(i % 89) * 0.2 - 8.0);
    benchmark::DoNotOptimize(op(a[i % kShapes], q));
    ++i;
  }
}

void BM_SegmentSegment(benchmark::State& state) {
  runPairs(state, segments(1), segments(2), [](const XtGeLineSeg2d& a, const XtGeLineSeg2d& b) {
    XtGePoint2d p;
    return a.intersectWith(b, p) ? p.x : 0.0;
  });
}
BENCHMARK(BM_SegmentSegment);

void BM_SegmentArc(benchmark::State& state) {
  runPairs(state, arcs(3), segments(4), [](const XtGeCircArc2d& a, const XtGeLineSeg2d& b) {
    int n = 0;
    XtGePoint2d p1, p2;
    return a.intersectWith(b, n, p1, p2) ? p1.x : 0.0;
  });
}
BENCHMARK(BM_SegmentArc);

void BM_ArcArc(benchmark::State& state) {
  runPairs(state, arcs(5), arcs(6), [](const XtGeCircArc2d& a, const XtGeCircArc2d& b) {
    int n = 0;
    XtGePoint2d p1, p2;
    return a.intersectWith(b, n, p1, p2) ? p1.x : 0.0;
  });
}
BENCHMARK(BM_ArcArc);

void BM_ClosestPointSegment(benchmark::State& state) {
  runPoints(state, segments(7),
            [](const XtGeLineSeg2d& s, const XtGePoint2d& q) { return s.closestPointTo(q); });
}
BENCHMARK(BM_ClosestPointSegment);

void BM_ClosestPointArc(benchmark::State& state) {
  runPoints(state, arcs(8),
            [](const XtGeCircArc2d& a, const XtGePoint2d& q) { return a.closestPointTo(q); });
}
BENCHMARK(BM_ClosestPointArc);

}  // namespace

BENCHMARK_MAIN();
