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

void BM_SegmentSegment(benchmark::State& state) {
  const auto a = segments(1);
  const auto b = segments(2);
  std::size_t i = 0;
  XtGePoint2d p;
  for (auto _ : state) {
    const bool hit = a[i % kShapes].intersectWith(b[(i * 7) % kShapes], p);
    benchmark::DoNotOptimize(hit);
    benchmark::DoNotOptimize(p);
    ++i;
  }
}
BENCHMARK(BM_SegmentSegment);

void BM_SegmentArc(benchmark::State& state) {
  const auto a = arcs(3);
  const auto b = segments(4);
  std::size_t i = 0;
  int n = 0;
  XtGePoint2d p1, p2;
  for (auto _ : state) {
    const bool hit = a[i % kShapes].intersectWith(b[(i * 7) % kShapes], n, p1, p2);
    benchmark::DoNotOptimize(hit);
    benchmark::DoNotOptimize(p1);
    ++i;
  }
}
BENCHMARK(BM_SegmentArc);

void BM_ArcArc(benchmark::State& state) {
  const auto a = arcs(5);
  const auto b = arcs(6);
  std::size_t i = 0;
  int n = 0;
  XtGePoint2d p1, p2;
  for (auto _ : state) {
    const bool hit = a[i % kShapes].intersectWith(b[(i * 7) % kShapes], n, p1, p2);
    benchmark::DoNotOptimize(hit);
    benchmark::DoNotOptimize(p1);
    ++i;
  }
}
BENCHMARK(BM_ArcArc);

void BM_ClosestPointSegment(benchmark::State& state) {
  const auto a = segments(7);
  std::size_t i = 0;
  for (auto _ : state) {
    const XtGePoint2d q(static_cast<double>(i % 97) * 0.2 - 9.0, static_cast<double>(i % 89) * 0.2 - 8.0);
    benchmark::DoNotOptimize(a[i % kShapes].closestPointTo(q));
    ++i;
  }
}
BENCHMARK(BM_ClosestPointSegment);

void BM_ClosestPointArc(benchmark::State& state) {
  const auto a = arcs(8);
  std::size_t i = 0;
  for (auto _ : state) {
    const XtGePoint2d q(static_cast<double>(i % 97) * 0.2 - 9.0, static_cast<double>(i % 89) * 0.2 - 8.0);
    benchmark::DoNotOptimize(a[i % kShapes].closestPointTo(q));
    ++i;
  }
}
BENCHMARK(BM_ClosestPointArc);

}  // namespace

BENCHMARK_MAIN();
