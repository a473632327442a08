// The LWPOLYLINE list of a heating pipe drawn as one polyline: building the
// list of a 10,000-vertex curve of segments and bulged arcs, and reading it
// back into a composite with its widths (target: under 5 ms each).
#include "host/Tolerances.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/ownedChain.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kVertices = 10'000;

// A meander: straight runs joined by half-circle turns, every other piece an arc.
XtGeCompositeCurve2d meander() {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  XtGePoint2d at(1e6, 2e6);
  for (int i = 0; i + 1 < kVertices; ++i) {
    const XtGePoint2d next = i % 2 ? at + XtGeVector2d(0.0, 150.0) : at + XtGeVector2d((i / 2) % 2 ? -4000.0 : 4000.0, 0.0);
    if (i % 2) pieces.push_back(std::make_unique<XtGeCircArc2d>(at, next, (i / 2) % 2 ? 1.0 : -1.0));
    else pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, next));
    at = next;
  }
  return XtGeCompositeCurve2d(std::move(pieces));
}

void BM_BuildLwPolyline(benchmark::State& state) {
  const GeometryToleranceScope tolerances(1000);
  const XtGeCompositeCurve2d curve = meander();
  const std::vector<double> widths{20.0, 20.0};
  const ltEntProps props;
  for (auto _ : state) {
    ownedChain list(entBuilder2D::polyline(props, curve, XtGeMatrix2d::kIdentity, nullptr, &widths));
    benchmark::DoNotOptimize(list.get());
  }
}
BENCHMARK(BM_BuildLwPolyline)->Unit(benchmark::kMillisecond);

void BM_ReadLwPolyline(benchmark::State& state) {
  const GeometryToleranceScope tolerances(1000);
  const ownedChain list(entBuilder2D::polyline(ltEntProps(), meander(), XtGeMatrix2d::kIdentity, nullptr, nullptr));
  std::vector<double> widths;
  for (auto _ : state) {
    XtGeCompositeCurve2d curve;
    benchmark::DoNotOptimize(entReader2D::polyline(curve, list.get(), nullptr, &widths));
  }
}
BENCHMARK(BM_ReadLwPolyline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
