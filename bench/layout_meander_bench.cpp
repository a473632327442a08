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
#include "bench/LayoutBenchZones.h"

namespace {

using namespace layout_bench;

void BM_Meander(benchmark::State& state, std::vector<ZoneCase> (*make)()) {
  const Totals totals = benchLayouts(state, make, CFHCircuitLayout::kMeander);
  state.counters["runs"] = totals.runs;
  state.counters["pipe_m"] = totals.length;
}

BENCHMARK_CAPTURE(BM_Meander, Room, [] { return one(rectangle(6000, 5000)); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Meander, Hall, [] { return one(hall()); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Meander, Floor, floorZones)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
