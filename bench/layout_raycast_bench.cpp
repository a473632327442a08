// The facing-span ray cast (layoutRayCast) between two 6 x 5 m rooms that
// share a 5 m wall 250 thick, in millimetres (unit factor 1000), step 10 mm:
// about 4,400 samples, each ray against the eight walls (aim: < 3 ms).
// Counters: the facing spans left on both rooms after merging.
#include "heating/layout/offsets/IntervalCurveMaps.h"
#include "heating/layout/offsets/LayoutRayCast.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CLoopElement.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "host/Tolerances.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// The walls of a counter-clockwise w x h room from `origin`, as loop elements
// that own their curves.
std::vector<std::unique_ptr<CLoopElement>> room(XtGePoint2d origin, double w, double h) {
  const XtGePoint2d corners[] = {origin, origin + XtGeVector2d(w, 0), origin + XtGeVector2d(w, h),
                                 origin + XtGeVector2d(0, h)};
  std::vector<std::unique_ptr<CLoopElement>> walls;
  for (int i = 0; i < 4; ++i)
    walls.push_back(std::make_unique<CLoopElement>(new CFloorHeatingLine(corners[i], corners[(i + 1) % 4], nullptr, 15),
                                                   true));
  return walls;
}

std::vector<CLoopElement*> raw(const std::vector<std::unique_ptr<CLoopElement>>& elements) {
  std::vector<CLoopElement*> out;
  for (const auto& e : elements) out.push_back(e.get());
  return out;
}

void BM_LayoutRayCast(benchmark::State& state) {
  GeometryToleranceScope tolerances(1000);
  const double savedFactor = drawingUnitFactor;
  drawingUnitFactor = 1000.0;
  const auto left = room({0, 0}, 6000.0, 5000.0);
  const auto right = room({6250, 0}, 6000.0, 5000.0);
  std::size_t spans = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CFHIntervalCurveList own;
    CFHIntervalCurveList other;
    buildIntervalCurves(raw(left), own);
    buildIntervalCurves(raw(right), other);
    CFHIntervalCurveMap ownMap = intervalCurveMapOf(own);
    CFHIntervalCurveMap otherMap = intervalCurveMapOf(other);
    state.ResumeTiming();
    layoutRayCast(ownMap, otherMap, 10.0);
    state.PauseTiming();
    resetIntervalCurves(intervalCurveMapOf(own));
    resetIntervalCurves(intervalCurveMapOf(other));
    spans = 0;
    for (const auto* list : {&own, &other})
      for (const auto& c : *list) spans += c->intervalsKept.size();
    state.ResumeTiming();
  }
  state.counters["spans"] = static_cast<double>(spans);
  drawingUnitFactor = savedFactor;
}

BENCHMARK(BM_LayoutRayCast)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
