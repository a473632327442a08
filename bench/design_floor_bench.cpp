// The design of a floor as the design command runs it, in millimetres (unit
// factor 1000): 20 zones of about 200 m² in all (twelve rooms of 3 x 3.5 m,
// four L shapes, two rooms of 4 x 4 m, two rooms with a half-round end), pipe
// spacing 0.15 m, meanders, one circuit per zone with its pipe ends on the
// bottom wall. Each iteration designs the whole floor anew:
//   BM_DesignFloor/ZoneDesigns       every zone's design, one after the other
//                                    on one thread (target < 100 ms);
//   BM_DesignFloor/SpiralZoneDesigns the same with double spirals (the
//                                    shipped shape; target < 200 ms);
//   BM_DesignFloor/CommandBody       designs, links, paths and the calculation
//                                    of every circuit on one thread, all the
//                                    command does between its selections and
//                                    its drawing (target < 150 ms);
//   BM_DesignFloor/Jobs/threads:N    the design jobs' work (designs, links,
//                                    paths) of a fresh floor on a pool of N
//                                    threads taking circuits from a queue
//                                    (largest zone first);
//                                    with 4 threads the counter "speedup"
//                                    (over one thread, best of seven, in the
//                                    same run) should be at least 3 on 4 or
//                                    more idle cores ("cores");
//   BM_DesignFloor/StartDesignJobs   the same through startDesignJobs, one
//                                    thread per circuit, until they all end
//                                    (for information);
//   BM_DesignFloor/SoundnessCheck/shape:N
//                                    the check of every laid pipe that the
//                                    confirmation runs before drawing
//                                    (zonesWithUnsoundPipe) on the designed
//                                    floor, meanders (0) and double spirals
//                                    (1) (target < 5 ms; the counter "named"
//                                    counts the zones it names, 0).
// Every thread records its heating curves in a registry list of its own.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/jobs/LaidPipeSoundness.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr double kSpacing = 150.0;
constexpr double kPipePitch = 0.15;

struct Room {
  zone_fixture::Zone outline;
  double bottomWidth;  // the bottom wall, from the origin
};

std::vector<Room> floorRooms() {
  using zone_fixture::polygon;
  std::vector<Room> rooms;
  for (int i = 0; i < 12; ++i) rooms.push_back({polygon("room", {{0, 0}, {3000, 0}, {3000, 3500}, {0, 3500}}), 3000});
  for (int i = 0; i < 4; ++i)
    rooms.push_back({polygon("L", {{0, 0}, {4000, 0}, {4000, 1500}, {2000, 1500}, {2000, 3000}, {0, 3000}}), 4000});
  for (int i = 0; i < 2; ++i) rooms.push_back({polygon("square", {{0, 0}, {4000, 0}, {4000, 4000}, {0, 4000}}), 4000});
  for (int i = 0; i < 2; ++i)
    rooms.push_back({zone_fixture::outline("round end", {0, 0}, {{{3000, 0}}, {{3000, 2500}, 0.0}, {{0, 2500}, 1.0},
                                                                 {{0, 0}}}),
                     3000});
  return rooms;
}

// The floor as the routing leaves it: one circuit per zone, the zone's pipe
// ends 100 mm either side of the middle of its bottom wall, the meander
// based on that wall (or, shape 1, the double spiral).
class Floor {
 public:
  explicit Floor(std::uint32_t shape = 0) : units_(1000) {
    std::uint32_t number = 0;
    for (const Room& room : floorRooms()) {
      CFHZoneEntry* zone = zone_design_test::addZone(model_, ++number, room.outline);
      CFHZoneDesign& design = *zone->design();
      const XtGePoint2d middle(0.5 * room.bottomWidth, 0);
      design.setMeanderBaseId(zone_design_test::sideIdNear(design, middle));
      design.setCircuitShape(shape);
      design.setPipeEnd1({middle.x + 100, 0});
      design.setPipeEnd2({middle.x - 100, 0});
      zone->calc.setPipePitch(kPipePitch);
      design.updateGrossArea(zone->calc);
      model_.addCircuit(number)->addZone(zone);
    }
    for (const auto& circuit : model_.circuits()) {
      circuit->prepareDesignSpacing();
      queue_.push_back(circuit.get());
    }
    // The largest first, so that no thread is left with a large zone at the end.
    std::stable_sort(queue_.begin(), queue_.end(), [](const CFHCircuit* a, const CFHCircuit* b) {
      return a->zones().front()->calc.area > b->zones().front()->calc.area;
    });
  }

  CFHModel& model() { return model_; }

  // What a design job does for the circuit, on the calling thread.
  static void designCircuit(CFHCircuit& circuit) {
    const CFHDesignSteps& steps = modelDesignSteps();
    for (std::size_t i = 0; i < circuit.zones().size(); ++i) {
      if (i > 0) steps.linkZone(circuit, *circuit.zones()[i]);
      steps.designZone(*circuit.zones()[i]);
    }
    steps.buildPath(circuit);
  }

  // Takes circuits from the queue until it is empty; any thread.
  void takeCircuits() {
    for (std::size_t i = next_++; i < queue_.size(); i = next_++) designCircuit(*queue_[i]);
  }
  void resetQueue() { next_ = 0; }

 private:
  std::vector<CFHCircuit*> queue_;  // the circuits by the area of their zone, largest first
  std::atomic<std::size_t> next_{0};
  zone_design_test::UnitScope units_;
  CFHModel model_;
};

void zoneDesigns(benchmark::State& state, std::uint32_t shape) {
  Floor floor(shape);
  for (auto _ : state)
    for (const auto& zone : floor.model().zones()) zone->design()->design();
  double laid = 0;
  for (const auto& zone : floor.model().zones()) {
    const CFHZoneDesign::IdleAccess access(*zone->design());
    laid += access.layoutIfIdle() != nullptr && access.layoutIfIdle()->outcome == LayoutOutcome::kLaid ? 1 : 0;
  }
  state.counters["laid"] = laid;
}
void BM_ZoneDesigns(benchmark::State& state) { zoneDesigns(state, 0); }
void BM_SpiralZoneDesigns(benchmark::State& state) { zoneDesigns(state, 1); }
BENCHMARK(BM_ZoneDesigns)->Name("BM_DesignFloor/ZoneDesigns")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpiralZoneDesigns)->Name("BM_DesignFloor/SpiralZoneDesigns")->Unit(benchmark::kMillisecond);

void BM_CommandBody(benchmark::State& state) {
  Floor floor;
  for (auto _ : state) {
    floor.resetQueue();
    floor.takeCircuits();
    for (const auto& circuit : floor.model().circuits()) circuit->calculate();
  }
}
BENCHMARK(BM_CommandBody)->Name("BM_DesignFloor/CommandBody")->Unit(benchmark::kMillisecond);

// Threads that stay for a whole benchmark and design the circuits of a floor
// from its queue when told to; the calling thread is one of them.
class DesignPool {
 public:
  explicit DesignPool(int threads) : round_(threads) {
    for (int t = 1; t < threads; ++t)
      workers_.emplace_back([this] {
        for (;;) {
          round_.arrive_and_wait();
          if (floor_ == nullptr) return;
          floor_->takeCircuits();
          round_.arrive_and_wait();
        }
      });
  }
  ~DesignPool() {
    floor_ = nullptr;
    round_.arrive_and_wait();
    for (std::thread& worker : workers_) worker.join();
  }
  // Every circuit of the floor designed; answers the seconds it took.
  double design(Floor& floor) {
    const auto start = std::chrono::steady_clock::now();
    floor.resetQueue();
    floor_ = &floor;
    round_.arrive_and_wait();
    floor.takeCircuits();
    round_.arrive_and_wait();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  std::barrier<> round_;
  Floor* floor_ = nullptr;  // set before the round starts; the barrier orders it
  std::vector<std::thread> workers_;
};

// The best of a few first designs of fresh floors on the pool.
double bestSeconds(DesignPool& pool, int rounds) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    Floor floor;
    best = std::min(best, pool.design(floor));
  }
  return best;
}

// Each iteration designs a fresh floor, as the command's first start of the
// jobs does (a rerun also frees the old layouts, made on other threads).
void BM_Jobs(benchmark::State& state) {
  DesignPool pool(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto floor = std::make_unique<Floor>();
    state.ResumeTiming();
    state.SetIterationTime(pool.design(*floor));
    state.PauseTiming();
    floor.reset();
    state.ResumeTiming();
  }
  DesignPool one(1);
  state.counters["speedup"] = bestSeconds(one, 7) / bestSeconds(pool, 7);
  state.counters["cores"] = std::thread::hardware_concurrency();
}
BENCHMARK(BM_Jobs)->Name("BM_DesignFloor/Jobs")->ArgName("threads")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)
    ->UseManualTime();

void BM_StartDesignJobs(benchmark::State& state) {
  Floor floor;
  CFHModel& model = floor.model();
  for (auto _ : state) {
    startDesignJobs(model.workerSync(), model.circuits());
    for (const auto& circuit : model.circuits()) circuit->waitForWorker();
  }
  model.workerSync().joinWaiters();
}
BENCHMARK(BM_StartDesignJobs)->Name("BM_DesignFloor/StartDesignJobs")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SoundnessCheck(benchmark::State& state) {
  Floor floor(static_cast<std::uint32_t>(state.range(0)));
  floor.takeCircuits();
  std::size_t named = 0;
  for (auto _ : state) named = zonesWithUnsoundPipe(floor.model()).size();
  state.counters["named"] = static_cast<double>(named);
}
BENCHMARK(BM_SoundnessCheck)->Name("BM_DesignFloor/SoundnessCheck")->ArgName("shape")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
