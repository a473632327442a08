// The inward offset levels of zone outlines (COffsetBuilder::buildLoops), one
// thread, in millimetres (unit factor 1000), first offset 100:
//   BM_OffsetLevels/Hall    a hall of about 2,000 m2 with 200 outline pieces:
//                           notched walls (reflex corners) and a semicircular
//                           bay, spacing 150 (about 130 levels; aim: < 200 ms);
//   BM_OffsetLevels/Room    a room of about 200 m2 of the same kind (< 20 ms);
//   BM_OffsetLevels/HallFine the hall at spacing 100: 1.5 times the levels,
//                           each sampled every 50 mm instead of 75 (< 450 ms).
// Counters: levels and loops of one build.
#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "host/Tolerances.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A counter-clockwise outline w x h from the origin. Each wall has `notches`
// rectangular recesses 300 deep and 500 wide, evenly spaced; the top wall
// also has a semicircular bay of radius `bay` outward in its middle.
CFloorHeatingCurve::PtrVector notchedHall(double w, double h, int notches, double bay) {
  CFloorHeatingCurve::PtrVector curves;
  XtGePoint2d at(0, 0);
  auto lineTo = [&](XtGePoint2d to) {
    curves.push_back(std::make_unique<CFloorHeatingLine>(at, to, nullptr, 15));
    at = to;
  };
  // Walls as (direction, inward normal, length).
  const struct {
    XtGeVector2d along, in;
    double length;
  } walls[] = {{{1, 0}, {0, 1}, w}, {{0, 1}, {-1, 0}, h}, {{-1, 0}, {0, -1}, w}, {{0, -1}, {1, 0}, h}};
  for (int side = 0; side < 4; ++side) {
    const auto& wall = walls[side];
    const XtGePoint2d start = at;
    const double pitch = wall.length / (notches + 1);
    for (int i = 1; i <= notches; ++i) {
      const XtGePoint2d notch = start + wall.along * (pitch * i - 250.0);
      if (side == 2 && bay > 0.0 && i == (notches + 1) / 2) {
        // The bay instead of this notch: an outward half circle.
        lineTo(notch);
        const XtGePoint2d end = notch + wall.along * (2.0 * bay);
        curves.push_back(std::make_unique<CFloorHeatingArc>(XtGeCircArc2d(at, end, 1.0), nullptr, 15));
        at = end;
        continue;
      }
      lineTo(notch);
      lineTo(at + wall.in * 300.0);
      lineTo(at + wall.along * 500.0);
      lineTo(at - wall.in * 300.0);
    }
    lineTo(start + wall.along * wall.length);
  }
  return curves;
}

void BM_OffsetLevels(benchmark::State& state, double w, double h, int notches, double bay, double spacing) {
  GeometryToleranceScope tolerances(1000);
  const double savedFactor = drawingUnitFactor;
  drawingUnitFactor = 1000.0;
  const CFloorHeatingCurve::PtrVector outline = notchedHall(w, h, notches, bay);
  std::vector<CFloorHeatingCurve*> curves;
  for (const auto& c : outline) curves.push_back(c.get());
  const COffsetBuilder builder(curves, 100.0, spacing);
  std::vector<COffsetBuilder::Level*> levels;
  std::size_t loops = 0;
  std::size_t levelCount = 0;
  for (auto _ : state) {
    builder.buildLoops(levels);
    levelCount = levels.size();
    loops = 0;
    for (const auto* level : levels) loops += level->size();
    deleteLoopListsAndClear(levels);
  }
  state.counters["levels"] = static_cast<double>(levelCount);
  state.counters["loops"] = static_cast<double>(loops);
  state.counters["pieces"] = static_cast<double>(outline.size());
  drawingUnitFactor = savedFactor;
}

// 50 m x 40 m with 12 notches a wall and a 2 m bay: 198 pieces, about 2,000 m2.
BENCHMARK_CAPTURE(BM_OffsetLevels, Hall, 50000.0, 40000.0, 12, 2000.0, 150.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OffsetLevels, Room, 16000.0, 12500.0, 3, 1000.0, 150.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OffsetLevels, HallFine, 50000.0, 40000.0, 12, 2000.0, 100.0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
