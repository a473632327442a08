// The read-back round trip through the stand-in host, for readback_test.py.
// First run, over DRAWING: the design command's road in-process (both
// selections, routed model, the profile's defaults from OUTDIR as the host
// folder, given the heating file of --host-dir), with R fixed, a heating
// body, a floor structure, a note, a pipe material, t1/t2 42/34, the last
// circuit's first zone drawn as levels with border widths on two sides, the
// meander bases on the walls the pipes enter and optional joined zones;
// designed, dumped (ModelDump.h), drawn and saved as OUTDIR/drawn.dxf.
// Second run, over that drawing: every entity filed as the
// edit command files it, the model read back in the edit's order, dumped and
// compared; then the pipes applied, the zones recalculated, every circuit
// designed again on this thread, dumped and compared again. The dumps are
// left in OUTDIR as designed.txt and read.txt.
//
// Usage: ReadBackTool DRAWING OUTDIR [options]
//   --ucs OX,OY,DX,DY   the user system of both runs (as cadhost's)
//   --join Z,W,X,Y      zone Z (without circuit) joins the circuit of zone W at
//                       the world point (after the zones joined before it)
//   --host-dir DIR      the heating file of DIR/Dat is the profile of both runs
//   --angled            pipes meet their walls at an angle: their ends move along them
//   --border-r R        R of every zone, metres (0.1), fixed
//   --free-r            R left to the calculation: the read model is compared
//                       by its values, then designed again, drawn and read
//                       back once more ("second ..." keys), compared whole
//   --read-only         DRAWING is a drawn design: only the second run
// Prints one JSON line: {"designed", "drawn", "grouped", "zones" (read),
// "circuits" (read), "readBack" and "again" (the differences), "dump" (the
// model read: path -> [text, numbers...])}.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/HeatingCurvesFromDrawing.h"
#include "heating/curves/VariantValue.h"

#include "host/HostExport.h"
#include "host/HostSelection.h"

#include "platform/win/Utf8.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"
#include "tests/heating/design/tools/InProcessDesign.h"
#include "tests/heating/design/tools/ModelDump.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Options {
  std::filesystem::path out;
  double borderR = 0.1;
  bool angled = false;
  bool readOnly = false;
  bool freeR = false;
  struct Join {
    int zone = 0, to = 0;
    XtGePoint2d point;
  };
  std::vector<Join> joins;
};

Options g_options;
// The model designed (then, with R free, designed again from the first read).
model_dump::Dump g_designed;
int g_readPasses = 0;
std::vector<std::string> g_report;

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) out += ' ';
    else out += c;
  }
  return out + "\"";
}

void report(const std::string& key, const std::string& json) { g_report.push_back(quoted(key) + ": " + json); }

std::string list(const std::vector<std::string>& items, bool quote) {
  std::string out = "[";
  for (const std::string& item : items) out += (out.size() > 1 ? ", " : "") + (quote ? quoted(item) : item);
  return out + "]";
}

CFHDataFiles hostFiles() { return CFHDataFiles::inFolder(CString(hvUtf8ToWide(g_options.out.string()))); }

model_dump::Limits limits(const CFHModel& model) {
  model_dump::Limits l;
  if (g_options.angled) l.pipeEnd = 0.5 * model.pipeNetwork().pipePitch;
  return l;
}

// The values a designer set that the defaults do not give.
void setDesignValues(CFHModel& model) {
  const CFHDrawingInOut& io = CFHDrawingInOut::instance();
  for (const auto& zone : model.zones()) {
    CFHZoneDesign& design = *zone->design();
    if (design.pipeEnd(0) != nullptr) design.setMeanderBase(zone_design_test::sideIdNear(design, design.pipeEnd(0)->point));
    if (g_options.freeR) continue;
    zone->calc.setBorderR(g_options.borderR);
    zone->calc.setBorderFixed(1);
  }
  CFHZoneEntry& first = *model.zones().front();
  first.note = u"Obývák";
  first.word = 1;
  first.calc.setFloorStructure(u"P1", u"Anhydritová podlaha", true);
  first.heatingBody = std::make_unique<CFHHeatingBody>();
  first.heatingBody->insertionPoint = first.design()->boundary()->cachedPoint(true) + XtGeVector2d(0, 500);
  first.heatingBody->connectionPoint = model.pipeNetwork().labelPoint + XtGeVector2d(-300, 0);
  first.heatingBody->number = static_cast<std::uint32_t>(model.circuits().size() + 1);
  first.heatingBody->output = 812.0;
  CFHZoneDesign& levels = *model.circuits().back()->zones().front()->design();
  levels.setDisplayType(2);
  std::vector<double> widths(static_cast<std::size_t>(levels.boundary()->asDrawnLoop.itemCount()), 0.0);
  widths[0] = widths[2 % widths.size()] = 300.0;
  levels.setBorderWidths(widths);
  levels.applyBorderWidths();
  for (const auto& circuit : model.circuits()) {
    circuit->calc.setPipeMaterial(u"Měděná 15x1");
    circuit->calc.setSupplyTemperature(42.0);
    circuit->calc.setReturnTemperature(34.0);
  }
  for (const Options::Join& join : g_options.joins) {
    CFHZoneEntry* joined = model.zoneByNumber(static_cast<std::uint32_t>(join.zone));
    const CFHZoneEntry* to = model.zoneByNumber(static_cast<std::uint32_t>(join.to));
    if (joined == nullptr || joined->circuit != nullptr || to == nullptr || to->circuit == nullptr) continue;
    joined->design()->setLinkPoint(XtGePoint2d(join.point).transformBy(io.workMatrix()));
    to->circuit->addZone(joined);
  }
}

void designCommand() {
  const in_process_design::CommandScope scope;
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  in_process_design::pickInputs(io);
  CFHModel model;
  model.setDataFiles(hostFiles());
  model.loadSettings(getExport2D());
  model.loadProfileDefaults();
  in_process_design::buildModel(model, io);
  const bool routed = model.pipeNetwork().route() == CFHPipeNetwork::kRouted;
  report("designed", routed ? "true" : "false");
  if (!routed) return;
  setDesignValues(model);
  in_process_design::designCircuits(model);
  g_designed = model_dump::dumpModel(model, io.workMatrix().inverse(), limits(model));
  std::ofstream(g_options.out / "designed.txt") << g_designed.text();
  const bool drawn = model.drawDesign();
  report("drawn", drawn ? "true" : "false");
  if (drawn) in_process_design::handOver(io);
}

// Every selected entity filed as the edit command files it; false when one
// is refused.
bool fileSelection(CFHDrawingInOut& io) {
  io.clear();
  selectWithPrompt(u"", 0x20003);
  bool refused = false;
  while (resbuf* given = nextSelectedEntity()) {
    const ownedChain list(given);
    int status = 0;
    const char16_t* type = classifyEntityType(list.get(), status, true);
    CFHDrawingInOut::RecordPtr record = type != nullptr ? CFHDrawingInOut::createRecord(type, list.get()) : nullptr;
    if (record == nullptr || !record->valid()) {
      refused = true;
      continue;
    }
    io.fileRecord(std::move(record));
  }
  io.updateUcs();
  io.transformAllToWork();
  return !refused && io.hasManifold();
}

void readCommand() {
  const std::string prefix = g_readPasses++ == 0 ? "" : "second ";
  const auto report = [&prefix](const std::string& key, const std::string& json) { ::report(prefix + key, json); };
  const in_process_design::CommandScope scope;
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  const bool filed = fileSelection(io);
  std::vector<CFHZoneGroup> groups;
  const bool grouped = filed && io.groupZonesByCircuit(groups);
  report("grouped", grouped ? "true" : "false");
  if (!grouped) return;
  CFHModel model;
  model.editFlag = 1;
  model.setDataFiles(hostFiles());
  model.loadSettings(getExport2D());
  model.loadProfileDefaults();
  CFHPipeNetwork& network = model.pipeNetwork();
  network.readManifold(*io.manifold(), true);
  network.distributorOutline();
  io.readModelValues(model);
  std::vector<std::string> zones;
  std::string circuits;
  for (const CFHZoneGroup& group : groups)
    for (const std::int32_t number : group.zoneNumbers)
      if (io.readZone(*model.addZone(static_cast<std::uint32_t>(number)), number)) zones.push_back(std::to_string(number));
  for (const CFHZoneGroup& group : groups) {
    if (group.circuitNumber < 0) continue;
    CFHCircuit& circuit = *model.addCircuit(0);
    for (const std::int32_t number : group.zoneNumbers)
      if (CFHZoneEntry* zone = model.zoneByNumber(static_cast<std::uint32_t>(number))) circuit.addZone(zone);
    const bool read = io.readCircuit(circuit, group.circuitNumber);
    circuits += (circuits.empty() ? "" : ", ") + quoted(std::to_string(group.circuitNumber)) + (read ? ": true" : ": false");
  }
  report("zones", list(zones, false));
  report("circuits", "{" + circuits + "}");
  model.sortCircuitsByNumber();
  model.sortZonesByNumber();
  CFHDrawingInOut::finishCircuits(model);
  const XtGeMatrix2d toWorld = io.workMatrix().inverse();
  const model_dump::Dump read = model_dump::dumpModel(model, toWorld, limits(model));
  std::ofstream(g_options.out / (prefix + "read.txt")) << read.text();
  std::string entries;
  for (const model_dump::Entry& e : read.entries) {
    std::string values = quoted(e.text);
    for (const double n : e.numbers) values += ", " + std::to_string(n);
    entries += (entries.empty() ? "" : ", ") + quoted(e.path) + ": [" + values + "]";
  }
  report("dump", "{" + entries + "}");
  if (g_options.readOnly) return;
  report("readBack", list(model_dump::compare(g_designed, read, false), true));
  model.applyPipesToZones();
  model.recalculateZones();
  in_process_design::designCircuits(model);
  const model_dump::Dump again = model_dump::dumpModel(model, toWorld, limits(model));
  report("again", list(model_dump::compare(g_designed, again, true), true));
  if (!g_options.freeR || !prefix.empty()) return;
  // With R free the drawing carried a layout made at another R than it
  // wrote: the design made again is drawn as the edit draws it (the old
  // design handed to the host to go first) and read back once more.
  g_designed = again;
  std::vector<std::u16string> handles;
  io.collectDesignHandles(handles);
  io.collectBoundaryHandles(handles);
  std::vector<const char16_t*> texts;
  for (const std::u16string& h : handles) texts.push_back(h.c_str());
  texts.push_back(nullptr);
  callHostWord<142>(texts.data(), static_cast<int>(handles.size()), 1);
  report("redrawn", model.drawDesign() ? "true" : "false");
}

int runCommand(const std::string& drawing, const char* name, void (*command)(), const cadhost::CadhostOptions& host,
               const std::string& save) {
  const std::string script = std::string("command ") + name + "\n" +
                             (command == designCommand ? "select all layer=RZ,ROZVODY\nselect all layer=ZONY\n"
                                                       : "select all\n") +
                             save;
  cadhost::test::HostRun run(drawing, script, host, {{name, command}});
  return run.run();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  cadhost::CadhostOptions host;
  host.productsPath = HV_PRODUCTS_FILE;
  g_options.out = std::filesystem::absolute(argv[2]);
  std::filesystem::path hostDir;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    if (arg == "--angled") {
      g_options.angled = true;
    } else if (arg == "--free-r") {
      g_options.freeR = true;
    } else if (arg == "--read-only") {
      g_options.readOnly = true;
    } else if (arg == "--host-dir") {
      hostDir = std::filesystem::absolute(argv[++i]);
    } else if (arg == "--border-r") {
      g_options.borderR = std::atof(argv[++i]);
    } else if (arg == "--join") {
      Options::Join& join = g_options.joins.emplace_back();
      if (std::sscanf(value, "%d,%d,%lf,%lf", &join.zone, &join.to, &join.point.x, &join.point.y) != 4) return 2;
      ++i;
    } else if (arg == "--ucs") {
      double o[4] = {};
      if (std::sscanf(value, "%lf,%lf,%lf,%lf", &o[0], &o[1], &o[2], &o[3]) != 4) return 2;
      host.ucs = cadhost::UcsFrame({o[0], o[1], 0}, {o[2], o[3], 0});
      ++i;
    } else {
      return 2;
    }
  }
  std::filesystem::create_directories(g_options.out / "Dat");
  if (!hostDir.empty())
    std::filesystem::copy(hostDir / "Dat", g_options.out / "Dat", std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  const std::string drawn = (g_options.out / "drawn.dxf").string();
  std::string drawing = std::filesystem::absolute(argv[1]).string();
  int rc = 0;
  if (!g_options.readOnly) {
    rc = runCommand(drawing, "design", designCommand, host, "save " + drawn + "\n");
    drawing = drawn;
  }
  const std::string redrawn = (g_options.out / "drawn2.dxf").string();
  if (rc == 0) rc = runCommand(drawing, "read", readCommand, host, g_options.freeR ? "save " + redrawn + "\n" : "");
  if (rc == 0 && g_options.freeR) rc = runCommand(redrawn, "read", readCommand, host, "");
  std::string json = "{";
  for (const std::string& item : g_report) json += (json.size() > 1 ? ", " : "") + item;
  std::printf("%s%s\"exit\": %d}\n", json.c_str(), json.size() > 1 ? ", " : "", rc);
  return 0;
}
