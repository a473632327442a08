// The chain offsets and the preview ring sampler at the sizes people draw:
// the joined offset of a closed 200-piece outline of segments and arcs, the
// loop removal of a 200-piece coil with 20 loops, and the sampling of 1,000
// rings of 20 pieces into one point list.
#include "geometry/Tolerances.h"
#include "geometry/curveChainOffset.h"
#include "geometry/releasePtrArray.h"
#include "geometry/sampleCurveListPoints.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A millimetre drawing: workTol of unit factor 1000.
void useMillimetreTolerances() {
  workTol = XtGeTol(1e-3, 1e-5);
  workTolFine = XtGeTol(1e-6, 1e-8);
}

// Around a circle of radius `radius` centred at `centre`, `sides` chords,
// each a straight run over 60 % of it and a bay bulging outward over the
// rest: 2 × sides pieces, counter-clockwise, meeting at corners.
XtGeCompositeCurve2d scallopedOutline(const XtGePoint2d& centre, double radius, int sides) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  auto corner = [&](int i) {
    const double a = XtGe::kTwoPi * i / sides;
    return centre + XtGeVector2d(radius * std::cos(a), radius * std::sin(a));
  };
  for (int i = 0; i < sides; ++i) {
    const XtGePoint2d from = corner(i);
    const XtGePoint2d to = corner(i + 1);
    const XtGePoint2d split = from + 0.6 * (to - from);
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(from, split));
    pieces.push_back(std::make_unique<XtGeCircArc2d>(split, to, -0.3));
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

void BM_OffsetCurveJoined(benchmark::State& state) {
  useMillimetreTolerances();
  const XtGeCompositeCurve2d outline = scallopedOutline(XtGePoint2d(5e6, 5e6), 8000.0, 100);
  const double d = static_cast<double>(state.range(0));
  int pieces = 0;
  for (auto _ : state) {
    const std::unique_ptr<XtGeCurve2d> offset = offsetCurveJoined(&outline, d, kOffsetClosed | kOffsetCornerByTangents);
    pieces = offset ? static_cast<const XtGeCompositeCurve2d&>(*offset).numCurves() : 0;
  }
  state.counters["pieces"] = pieces;
}
// Inward and outward by a pipe spacing.
BENCHMARK(BM_OffsetCurveJoined)->Arg(150)->Arg(-150)->Unit(benchmark::kMillisecond);

// A coil running along +X that curls back across itself 20 times: each
// curl of 10 pieces goes right, up, round a bay, down across its own first
// run and on, so that each crossing cuts off one loop.
void appendCoil(curvePtrArray& curves, chainSourceArray& sources) {
  XtGePoint2d at(0, 0);
  auto add = [&](XtGeCurve2d* piece) {
    sources.append(curves.count());
    curves.append(piece);
  };
  auto segmentTo = [&](const XtGeVector2d& step) {
    add(new XtGeLineSeg2d(at, at + step));
    at += step;
  };
  for (int curl = 0; curl < 20; ++curl) {
    segmentTo({400, 0});
    segmentTo({400, 0});
    segmentTo({200, 0});
    segmentTo({0, 250});
    segmentTo({0, 250});
    add(new XtGeCircArc2d(at, at + XtGeVector2d(-300, 0), 0.4));
    at += XtGeVector2d(-300, 0);
    segmentTo({0, -300});
    segmentTo({0, -400});
    segmentTo({0, -300});
    segmentTo({500, 0});
  }
}

void BM_RemoveChainLoops(benchmark::State& state) {
  useMillimetreTolerances();
  int left = 0;
  for (auto _ : state) {
    state.PauseTiming();
    curvePtrArray curves;
    chainSourceArray sources;
    appendCoil(curves, sources);
    state.ResumeTiming();
    removeChainLoops(curves, sources);
    left = curves.count();
    state.PauseTiming();
    releasePtrArray(curves);
    state.ResumeTiming();
  }
  state.counters["pieces left"] = left;
}
BENCHMARK(BM_RemoveChainLoops)->Unit(benchmark::kMillisecond);

void BM_SampleCurveListPoints(benchmark::State& state) {
  useMillimetreTolerances();
  curvePtrArray rings;
  for (int i = 0; i < 1000; ++i) {
    const XtGePoint2d centre(1000.0 * (i % 40), 1000.0 * (i / 40));
    rings.append(scallopedOutline(centre, 400.0, 10).copy());
  }
  GDI::canvas view;
  view.plainCopies = true;
  view.viewScale = 2.0;
  int points = 0;
  for (auto _ : state) {
    GDI::solid item;
    sampleCurveListPoints(item, view, rings);
    points = item.points.length();
  }
  state.counters["points"] = points;
  releasePtrArray(rings);
}
BENCHMARK(BM_SampleCurveListPoints)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
