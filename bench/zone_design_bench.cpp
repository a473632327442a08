// The zone design (CFHZoneDesign::design: offset levels with band limits and
// the meander) on one thread, in millimetres (unit factor 1000), border width
// R 0.02 (first offset 20), the base the bottom wall and the pipe ends either
// side of its middle; each iteration designs every zone anew:
//   BM_ZoneDesign/Rectangle  the 4 x 3 m room at spacing 200 (< 1 ms);
//   BM_ZoneDesign/Floor      20 zones of 3 to 12 m2 (ten rooms of 3 x 3 m,
//                            eight L shapes, a room of 4 x 3 m, one with a
//                            half-round end), about 200 m2 in all, at spacing
//                            150 (target < 100 ms).
// Counters: the offset levels and the zones laid whole, of one iteration.
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/Tolerances.h"
#include "host/Tolerances.h"

#include "tests/heating/layout/ZoneFixtures.h"

#include <benchmark/benchmark.h>

namespace {

using zone_fixture::Zone;

struct Room {
  Zone outline;
  double width;  // of the bottom wall, from the origin
};

// A zone of the model, ready for its design: boundary prepared, base the
// bottom wall, pipe ends 100 either side of its middle.
void addZone(CFHModel& model, const Room& room, double spacing) {
  CFHZoneEntry* zone = model.addZone(static_cast<std::uint32_t>(model.zones().size() + 1));
  auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
  for (const auto& curve : room.outline.curves) boundary->addBoundaryCurve(cloneBoundaryCurve(*curve));
  boundary->prepareLoop(true);
  boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
  boundary->prepareLoop(false);
  const XtGePoint2d middle(0.5 * room.width, 0);
  int base = 0;
  const CFHBoundLoop& loop = boundary->workingLoop;
  for (int i = 1; i < loop.itemCount(); ++i)
    if (loop.item(i)->curve->distanceTo(middle) < loop.item(base)->curve->distanceTo(middle)) base = i;
  CFHZoneDesign& design = *zone->design();
  design.setMeanderBaseId(static_cast<std::uint32_t>(loop.item(base)->id));
  design.setBoundary(std::move(boundary));
  design.setCircuitShape(0);
  design.setSpacing(spacing);
  design.setPipeEnd1({middle.x + 100, 0});
  design.setPipeEnd2({middle.x - 100, 0});
}

std::vector<Room> floorRooms() {
  std::vector<Room> rooms;
  for (int i = 0; i < 10; ++i) rooms.push_back({zone_fixture::polygon("room", {{0, 0}, {3000, 0}, {3000, 3000}, {0, 3000}}), 3000});
  for (int i = 0; i < 8; ++i)
    rooms.push_back(
        {zone_fixture::polygon("L", {{0, 0}, {4000, 0}, {4000, 2000}, {2000, 2000}, {2000, 3500}, {0, 3500}}), 4000});
  rooms.push_back({zone_fixture::polygon("room", {{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}), 4000});
  rooms.push_back({zone_fixture::outline("round end", {0, 0}, {{{3000, 0}}, {{3000, 3000}, 1.0}, {{0, 3000}}, {{0, 0}}}),
                   3000});
  return rooms;
}

void designAll(benchmark::State& state, const std::vector<Room>& rooms, double spacing) {
  GeometryToleranceScope tolerances(1000);
  drawingUnitFactor = 1000.0;
  setZoneTolerances(1000.0, kDefaultZoneBoundsSetting, kDefaultManifoldConnectionSetting);
  setLayoutTolerances();
  CFHModel model;
  for (const Room& room : rooms) addZone(model, room, spacing);
  double levels = 0;
  double laid = 0;
  for (auto _ : state) {
    levels = laid = 0;
    for (const auto& zone : model.zones()) {
      CFHZoneDesign& design = *zone->design();
      design.design();
      const CFHZoneDesign::IdleAccess access(design);
      const CFHCircuitLayout* layout = access.layoutIfIdle();
      if (layout == nullptr) continue;
      levels += static_cast<double>(layout->levels.size());
      laid += layout->outcome == LayoutOutcome::kLaid ? 1 : 0;
    }
  }
  state.counters["levels"] = levels;
  state.counters["laid"] = laid;
}

void BM_ZoneDesign_Rectangle(benchmark::State& state) {
  std::vector<Room> rooms;
  rooms.push_back({zone_fixture::z1Rectangle(), 4000});
  designAll(state, rooms, 200);
}
BENCHMARK(BM_ZoneDesign_Rectangle)->Name("BM_ZoneDesign/Rectangle")->Unit(benchmark::kMillisecond);

void BM_ZoneDesign_Floor(benchmark::State& state) { designAll(state, floorRooms(), 150); }
BENCHMARK(BM_ZoneDesign_Floor)->Name("BM_ZoneDesign/Floor")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
