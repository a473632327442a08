// The double spiral (CFHCircuitLayout::layoutSpiral) on one thread, in
// millimetres (unit factor 1000), first offset 100, spacing 150; the offset
// levels are built with timing paused and every iteration lays the spiral
// on a fresh record:
//   BM_Spiral/Room   a room of 20 m2 (5 x 4 m) (< 20 ms);
//   BM_Spiral/Floor  the meander bench's floor of 20 zones, about 200 m2.
// Counters: the pipe length in metres and the path pieces, of one iteration.
#include "bench/LayoutBenchZones.h"

namespace {

using namespace layout_bench;

void BM_Spiral(benchmark::State& state, std::vector<ZoneCase> (*make)()) {
  const Totals totals = benchLayouts(state, make, CFHCircuitLayout::kSpiral);
  state.counters["pipe_m"] = totals.length;
  state.counters["pieces"] = totals.pieces;
}

BENCHMARK_CAPTURE(BM_Spiral, Room, [] { return one(rectangle(5000, 4000)); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Spiral, Floor, floorZones)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
