// The meander layout (CFHCircuitLayout::layoutMeander) on one thread, in
// millimetres (unit factor 1000), first offset 100, spacing 150; the offset
// levels of each zone are built with timing paused, and every iteration lays
// the meander on a fresh record:
//   BM_Meander/Room   a room of 30 m2 (6 x 5 m), base the long wall (< 1 ms);
//   BM_Meander/Hall   a hall of about 200 m2: 16 x 10 m with a half circle of
//                     R 5 m on a short side, base the long straight wall;
//                     about 140 runs of up to 10 m (< 5 ms);
//   BM_Meander/Floor  a floor of 20 zones of 5 to 20 m2 (rectangles, L shapes,
//                     one with an arc wall) totalling about 200 m2 (< 20 ms).
// Counters: runs (the pipe's straight pieces across the zone) and the pipe
// length in metres, both of one iteration.
#include "tests/heating/layout/MeanderZones.h"

#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/OffsetEdgePath.h"

#include <benchmark/benchmark.h>

namespace {

using zone_fixture::Zone;
using zone_set::ZoneCase;

// A case with the base the bottom edge from the origin and the pipe ends
// either side of its middle.
ZoneCase onBottom(Zone zone, double width) {
  const double m = 0.5 * width;
  ZoneCase c = zone_set::make(std::move(zone), 0, {m + 100, 0}, {m - 100, 0});
  c.spacing = 150;
  return c;
}

ZoneCase room() { return onBottom(zone_fixture::polygon("room", {{0, 0}, {6000, 0}, {6000, 5000}, {0, 5000}}), 6000); }
ZoneCase hall() {
  return onBottom(zone_fixture::outline("hall", {0, 0}, {{{16000, 0}}, {{16000, 10000}, 1.0}, {{0, 10000}}, {{0, 0}}}),
                  16000);
}
// The floor: ten rooms of 3 x 3 m, eight L shapes (4 x 3.5 m less 2 x 1.5 m),
// one room of 4 x 3 m and one of 3 x 3 m with a half-round end of R 1.5 m.
std::vector<ZoneCase> floorZones() {
  std::vector<ZoneCase> zones;
  for (int i = 0; i < 10; ++i)
    zones.push_back(onBottom(zone_fixture::polygon("room", {{0, 0}, {3000, 0}, {3000, 3000}, {0, 3000}}), 3000));
  for (int i = 0; i < 8; ++i)
    zones.push_back(onBottom(
        zone_fixture::polygon("L", {{0, 0}, {4000, 0}, {4000, 2000}, {2000, 2000}, {2000, 3500}, {0, 3500}}), 4000));
  zones.push_back(onBottom(zone_fixture::polygon("room", {{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}), 4000));
  zones.push_back(onBottom(
      zone_fixture::outline("round end", {0, 0}, {{{3000, 0}}, {{3000, 3000}, 1.0}, {{0, 3000}}, {{0, 0}}}), 3000));
  return zones;
}

// Lays every zone once with the levels built untimed; adds the straight
// pieces and the pipe length of the graphs to the totals.
void layAll(benchmark::State& state, std::vector<ZoneCase>& cases, double& runs, double& length) {
  std::vector<std::unique_ptr<meander_test::MeanderZone>> zones;
  state.PauseTiming();
  for (ZoneCase& c : cases) zones.push_back(meander_test::meanderZone(c));
  state.ResumeTiming();
  for (auto& z : zones)
    if (!z->layout->layoutMeander()) state.SkipWithError("a zone was not laid");
  state.PauseTiming();
  runs = length = 0.0;
  CFloorHeatingCurve::PtrVector pieces;
  for (auto& z : zones)
    for (const COffsetEdge* edge : z->layout->edges) {
      offsetEdgePathAlongLoop(edge, pieces);
      for (const auto& piece : pieces) length += piece->length() / 1000.0;
      if (isStraightEdge(*edge) && edge->a != nullptr && edge->b != nullptr &&
          edge->a->point.distanceTo(edge->b->point) > 300.0)
        runs += 1.0;
    }
  zones.clear();
  state.ResumeTiming();
}

void BM_Meander(benchmark::State& state, std::vector<ZoneCase> (*make)()) {
  const meander_test::UnitScope units(1000);
  std::vector<ZoneCase> cases = make();
  double runs = 0.0;
  double length = 0.0;
  for (auto _ : state) layAll(state, cases, runs, length);
  state.counters["runs"] = runs;
  state.counters["pipe_m"] = length;
}

std::vector<ZoneCase> one(ZoneCase c) {
  std::vector<ZoneCase> v;
  v.push_back(std::move(c));
  return v;
}

BENCHMARK_CAPTURE(BM_Meander, Room, [] { return one(room()); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Meander, Hall, [] { return one(hall()); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Meander, Floor, floorZones)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
