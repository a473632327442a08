// The zones of the layout benches (meander and spiral), in millimetres (unit
// factor 1000), first offset 100, spacing 150, the base the bottom edge from
// the origin and the pipe ends either side of its middle, and the timed
// layout of a list of them with the offset levels built untimed.
#pragma once

#include "tests/heating/layout/MeanderZones.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

#include <benchmark/benchmark.h>

namespace layout_bench {

using zone_fixture::Zone;
using zone_set::ZoneCase;

inline ZoneCase onBottom(Zone zone, double width) {
  const double m = 0.5 * width;
  ZoneCase c = zone_set::make(std::move(zone), 0, {m + 100, 0}, {m - 100, 0});
  c.spacing = 150;
  return c;
}

inline ZoneCase rectangle(double w, double h) {
  return onBottom(zone_fixture::polygon("room", {{0, 0}, {w, 0}, {w, h}, {0, h}}), w);
}
inline ZoneCase hall() {
  return onBottom(zone_fixture::outline("hall", {0, 0}, {{{16000, 0}}, {{16000, 10000}, 1.0}, {{0, 10000}}, {{0, 0}}}),
                  16000);
}
// The floor: ten rooms of 3 x 3 m, eight L shapes (4 x 3.5 m less 2 x 1.5 m),
// one room of 4 x 3 m and one of 3 x 3 m with a half-round end of R 1.5 m:
// about 200 m2.
inline std::vector<ZoneCase> floorZones() {
  std::vector<ZoneCase> zones;
  for (int i = 0; i < 10; ++i) zones.push_back(rectangle(3000, 3000));
  for (int i = 0; i < 8; ++i)
    zones.push_back(onBottom(
        zone_fixture::polygon("L", {{0, 0}, {4000, 0}, {4000, 2000}, {2000, 2000}, {2000, 3500}, {0, 3500}}), 4000));
  zones.push_back(rectangle(4000, 3000));
  zones.push_back(onBottom(
      zone_fixture::outline("round end", {0, 0}, {{{3000, 0}}, {{3000, 3000}, 1.0}, {{0, 3000}}, {{0, 0}}}), 3000));
  return zones;
}
inline std::vector<ZoneCase> one(ZoneCase c) {
  std::vector<ZoneCase> v;
  v.push_back(std::move(c));
  return v;
}

// Lays every zone once as the layout type with the levels built untimed;
// the graphs' straight pieces longer than 300 (runs), their path pieces and
// the pipe length in metres go into the totals.
struct Totals {
  double runs = 0.0;
  double pieces = 0.0;
  double length = 0.0;
};
inline void layAll(benchmark::State& state, std::vector<ZoneCase>& cases, std::uint32_t type, Totals& totals) {
  std::vector<std::unique_ptr<meander_test::MeanderZone>> zones;
  state.PauseTiming();
  for (ZoneCase& c : cases) zones.push_back(meander_test::layoutZone(c, type));
  state.ResumeTiming();
  for (auto& z : zones)
    if (!(type == CFHCircuitLayout::kMeander ? z->layout->layoutMeander() : z->layout->layoutSpiral()))
      state.SkipWithError("a zone was not laid");
  state.PauseTiming();
  totals = Totals{};
  CFloorHeatingCurve::PtrVector pieces;
  for (auto& z : zones)
    for (const COffsetEdge* edge : z->layout->edges) {
      offsetEdgePathAlongLoop(edge, pieces);
      totals.pieces += static_cast<double>(pieces.size());
      for (const auto& piece : pieces) totals.length += piece->length() / 1000.0;
      if (isStraightEdge(*edge) && edge->a != nullptr && edge->b != nullptr &&
          edge->a->point.distanceTo(edge->b->point) > 300.0)
        totals.runs += 1.0;
    }
  zones.clear();
  state.ResumeTiming();
}

// The benchmark loop: the cases of `make` laid as the layout type in every
// iteration; the totals of the last one.
inline Totals benchLayouts(benchmark::State& state, std::vector<ZoneCase> (*make)(), std::uint32_t type) {
  const meander_test::UnitScope units(1000);
  std::vector<ZoneCase> cases = make();
  Totals totals;
  for (auto _ : state) layAll(state, cases, type, totals);
  return totals;
}

}  // namespace layout_bench
