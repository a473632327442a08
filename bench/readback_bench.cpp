// Reading a drawn floor back as the edit command does, on one thread.
//
// The floor: examples/floor-20.dxf, twenty rooms of about 10 m² (200 m² in
// all) with one pipe each that meets its room's wall square; designed once
// through the in-process stand-in host as the design command designs it
// (meanders, pipe spacing 0.15 m, R fixed at 0.05 m; InProcessDesign.h) and
// drawn. The edit's selection of that drawing (the manifold and every entity
// it lists) is fetched once. Each iteration then reads the design back from
// those entity lists (no DXF parsing, no dialog, no jobs) into a model made
// as the edit makes it (its settings and profile defaults, not timed), in
// the edit's order, each part timed:
//   records     each list classified and made a drawn-entity record
//   filing      the records filed by kind and identifier
//   frame       the records brought into the work frame
//   grouping    the zones grouped by circuit
//   manifold    the manifold read with its settings, its outline, the model values
//   zones       every zone read
//   circuits    every circuit rebuilt from its drawn pipes
//   finish      finishCircuits (the pitch limit, the pipes-run-into flags)
//   pipes       applyPipesToZones
//   recalc      recalculateZones
// The counters give each part's milliseconds per iteration; the iteration
// time is their sum (target: under 50 ms).
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/entities/ownedChain.h"

#include "tests/heating/design/tools/InProcessDesign.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPipePitch = 0.15;
constexpr double kBorderR = 0.05;
constexpr const char* kParts[] = {"records", "filing", "frame", "grouping", "manifold",
                                  "zones",   "circuits", "finish", "pipes",  "recalc"};
constexpr std::size_t kPartCount = std::size(kParts);

benchmark::State* g_state = nullptr;
bool g_readAll = true;

// The design command's road without its dialog: meanders at 0.15 m, R fixed.
void designCommand() {
  const in_process_design::CommandScope scope;
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  in_process_design::pickInputs(io);
  CFHModel model;
  model.loadSettings(getExport2D());
  model.loadProfileDefaults();
  in_process_design::buildModel(model, io);
  if (model.pipeNetwork().route() != CFHPipeNetwork::kRouted) return;
  for (const auto& zone : model.zones()) {
    zone->design()->setCircuitShape(0);
    zone->calc.setPipePitch(kPipePitch);
    zone->calc.setBorderR(kBorderR);
    zone->calc.setBorderFixed(1);
  }
  in_process_design::designCircuits(model);
  if (model.drawDesign()) in_process_design::handOver(io);
}

// Times the parts of one reading into `seconds`.
class PartClock {
 public:
  explicit PartClock(std::array<double, kPartCount>& seconds) : seconds_(seconds) {}
  void next() {
    const auto now = std::chrono::steady_clock::now();
    seconds_[part_++] += std::chrono::duration<double>(now - start_).count();
    start_ = now;
  }

 private:
  std::array<double, kPartCount>& seconds_;
  std::size_t part_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// One reading of the selected lists into a fresh model; answers whether
// every circuit was read.
bool readBack(const std::vector<ownedChain>& lists, std::array<double, kPartCount>& seconds) {
  CFHModel model;
  model.editFlag = 1;
  model.loadSettings(getExport2D());
  model.loadProfileDefaults();
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  io.clear();
  PartClock clock(seconds);
  std::vector<CFHDrawingInOut::RecordPtr> records;
  records.reserve(lists.size());
  for (const ownedChain& list : lists) {
    int status = kHeatingEntityNone;
    const char16_t* type = classifyEntityType(list.get(), status, true);
    records.push_back(type != nullptr ? CFHDrawingInOut::createRecord(type, list.get()) : nullptr);
  }
  clock.next();
  for (CFHDrawingInOut::RecordPtr& record : records) io.fileRecord(std::move(record));
  clock.next();
  io.updateUcs();
  io.transformAllToWork();
  clock.next();
  std::vector<CFHZoneGroup> groups;
  const bool grouped = io.groupZonesByCircuit(groups);
  clock.next();
  bool read = grouped && io.hasManifold() && model.pipeNetwork().readManifold(*io.manifold(), true);
  model.pipeNetwork().distributorOutline();
  io.readModelValues(model);
  clock.next();
  for (const CFHZoneGroup& group : groups)
    for (const std::int32_t number : group.zoneNumbers)
      read = io.readZone(*model.addZone(static_cast<std::uint32_t>(number)), number) && read;
  clock.next();
  for (const CFHZoneGroup& group : groups) {
    if (group.circuitNumber < 0) continue;
    CFHCircuit& circuit = *model.addCircuit(static_cast<std::uint32_t>(group.circuitNumber));
    for (const std::int32_t number : group.zoneNumbers) circuit.addZone(model.zoneByNumber(static_cast<std::uint32_t>(number)));
    read = io.readCircuit(circuit, group.circuitNumber) && read;
  }
  clock.next();
  CFHDrawingInOut::finishCircuits(model);
  clock.next();
  model.applyPipesToZones();
  clock.next();
  model.recalculateZones();
  clock.next();
  io.clear();
  return read && model.circuits().size() == 20;
}

void readCommand() {
  const in_process_design::CommandScope scope;
  selectWithPrompt(u"", 0x20003);
  std::vector<ownedChain> lists;
  while (resbuf* list = nextSelectedEntity()) lists.emplace_back(list);
  std::array<double, kPartCount> seconds{};
  std::int64_t iterations = 0;
  for (auto _ : *g_state) {
    std::array<double, kPartCount> once{};
    g_readAll = readBack(lists, once) && g_readAll;
    double total = 0.0;
    for (std::size_t i = 0; i < kPartCount; ++i) {
      seconds[i] += once[i];
      total += once[i];
    }
    g_state->SetIterationTime(total);
    ++iterations;
  }
  for (std::size_t i = 0; i < kPartCount && iterations > 0; ++i)
    g_state->counters[kParts[i]] = 1000.0 * seconds[i] / static_cast<double>(iterations);
}

void BM_ReadBack(benchmark::State& state) {
  cadhost::CadhostOptions options;
  options.productsPath = HV_PRODUCTS_FILE;
  cadhost::test::HostRun run("floor-20.dxf",
                             "command design\nselect all layer=RZ,ROZVODY\nselect all layer=ZONY\n"
                             "command read\nselect assoc 600\nend\n",
                             options, {{"design", designCommand}, {"read", readCommand}});
  g_state = &state;
  if (run.run() != 0 || !g_readAll) state.SkipWithError("the floor was not designed, drawn and read back whole");
  g_state = nullptr;
}
BENCHMARK(BM_ReadBack)->Name("BM_ReadBack/Floor20")->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
