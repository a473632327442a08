// A heating design of a drawing drawn through the stand-in host, for
// design_output_test.py. In one command the tool takes both selections as
// the design command does (the manifold with its distribution pipes: every
// entity on the layers "RZ" and "ROZVODY"; the zones: every entity on
// "ZONY"), builds the design model in work coordinates, routes the pipes to
// the zones, designs every zone as a meander along the wall its pipe enters,
// builds each circuit's path, calculates and draws the design. On success it
// hands the picked zone curves to word 142 and the held entities back; on
// failure it closes the output with 0x80000020. Then the drawing is saved.
//
// Usage: DesignOutputTool DRAWING OUT.dxf [options]
//   --display N        display type of every zone (2: levels, a hatch)
//   --border MM        border width of every boundary item (dimensions)
//   --body             a placed heating body in the first zone
//   --annotative 1|3   annotative labels
//   --no-zones         the first circuit loses its zones (the output must stop)
//   --colour N         circuits coloured, every circuit's colour index N
//   --mark TEXT        the manifold's mark
//   --ucs OX,OY,DX,DY, --fail-word N@K, --142 MODE, --no-desc: as cadhost's
// Prints one JSON line: {"drawn", "connection" (per circuit its two world
// points), "calls114" (word 114 calls before the output's end), "codes19",
// "exit"}.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/VariantValue.h"

#include "host/HostExport.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"
#include "tests/heating/design/tools/InProcessDesign.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
  int display = 0;
  double border = 0.0;
  bool body = false;
  int annotative = 0;
  bool noZones = false;
  std::optional<int> colour;
  std::u16string mark;
};

Options g_options;
std::string g_report;

std::string json(const XtGePoint2d& p) {
  char text[80];
  std::snprintf(text, sizeof text, "[%.17g, %.17g]", p.x, p.y);
  return text;
}

void drawCommand() {
  const in_process_design::CommandScope scope;
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  in_process_design::pickInputs(io);

  CFHModel model;
  model.loadSettings(getExport2D());
  model.defaults().circuitShape = 0;
  CFHPipeNetwork& network = model.pipeNetwork();
  CFHDescData& desc = model.descData();
  desc.descriptionMask = u"Zóna %_PT_ZONA_OZN%\\Q = %_PT_ZONA_Q% W/m2\\%_PT_ZONA_PODL_UMISTENI%";
  desc.annotative = g_options.annotative != 0;
  desc.annotativeSecond = g_options.annotative == 3;

  in_process_design::buildModel(model, io);
  if (network.route() != CFHPipeNetwork::kRouted) return;
  if (!g_options.mark.empty()) network.mark = g_options.mark;
  for (const auto& zone : model.zones()) {
    CFHZoneDesign& design = *zone->design();
    if (design.pipeEnd(0) != nullptr) design.setMeanderBase(zone_design_test::sideIdNear(design, design.pipeEnd(0)->point));
    design.setDisplayType(static_cast<std::uint32_t>(g_options.display));
    zone->calc.borderR = valueOf(g_options.border * 0.001);
    zone->calc.borderFixed = g_options.border > 0.0;
    for (int i = 0; i < design.boundary()->asDrawnLoop.itemCount(); ++i)
      design.boundary()->setItemValue(i, g_options.border);
  }
  CFHZoneEntry& first = *model.zones().front();
  if (g_options.body) {
    first.heatingBody = std::make_unique<CFHHeatingBody>();
    first.heatingBody->insertionPoint = first.design()->boundary()->cachedPoint(true) + XtGeVector2d(0, 500);
    first.heatingBody->connectionPoint = network.labelPoint + XtGeVector2d(-300, 0);
    first.heatingBody->number = static_cast<std::uint32_t>(model.circuits().size() + 1);
    first.heatingBody->output = 812.5;
  }
  in_process_design::designCircuits(model);
  if (g_options.colour) {
    network.colourCircuits = 1;
    for (const auto& circuit : model.circuits()) circuit->colourIndex = static_cast<std::uint32_t>(*g_options.colour);
  }
  if (g_options.noZones) {
    CFHCircuit& emptied = *model.circuits().front();
    while (!emptied.zones().empty()) emptied.removeZone(emptied.zones().back());
  }

  const XtGeMatrix2d toWorld = io.workMatrix().inverse();
  std::string connection;
  for (const auto& circuit : model.circuits())
    connection += std::string(connection.empty() ? "" : ", ") + "[" + json(toWorld * circuit->connectionPoints[0]) +
                  ", " + json(toWorld * circuit->connectionPoints[1]) + "]";
  const bool drawn = model.drawDesign();
  if (drawn)
    in_process_design::handOver(io);
  else
    callHostWord<19>(0x80000020u);
  g_report = std::string("{\"drawn\": ") + (drawn ? "true" : "false") + ", \"connection\": [" + connection + "]";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  cadhost::CadhostOptions host;
  host.productsPath = HV_PRODUCTS_FILE;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    if (arg == "--display") g_options.display = std::atoi(argv[++i]);
    else if (arg == "--border") g_options.border = std::atof(argv[++i]);
    else if (arg == "--annotative") g_options.annotative = std::atoi(argv[++i]);
    else if (arg == "--body") g_options.body = true;
    else if (arg == "--no-zones") g_options.noZones = true;
    else if (arg == "--colour") g_options.colour = std::atoi(argv[++i]);
    else if (arg == "--mark") g_options.mark = std::u16string(value, value + std::strlen(argv[++i]));
    else if (arg == "--no-desc") host.descFormatter = false;
    else if (arg == "--142") host.handOver = std::strcmp(argv[++i], "immediate") == 0 ? cadhost::HandOverMode::Immediate
                                                                                   : cadhost::HandOverMode::Deferred;
    else if (arg == "--ucs") {
      double o[4] = {};
      if (std::sscanf(value, "%lf,%lf,%lf,%lf", &o[0], &o[1], &o[2], &o[3]) != 4) return 2;
      host.ucs = cadhost::UcsFrame({o[0], o[1], 0}, {o[2], o[3], 0});
      ++i;
    } else if (arg == "--fail-word") {
      int word = 0, call = 0;
      if (std::sscanf(value, "%d@%d", &word, &call) != 2) return 2;
      host.failWords.push_back({word, call});
      ++i;
    } else {
      return 2;
    }
  }
  const std::string out = std::filesystem::absolute(argv[2]).string();
  cadhost::test::HostRun run(std::filesystem::absolute(argv[1]).string(),
                             "command draw\nselect all layer=RZ,ROZVODY\nselect all layer=ZONY\nsave " + out + "\n", host,
                             {{"draw", drawCommand}});
  const int rc = run.run();
  std::size_t calls114 = 0;
  std::string codes19;
  for (const std::string& line : run.log()) {
    if (line.find("\"word\":19,") != std::string::npos) {
      const std::size_t at = line.find("\"code\":");
      codes19 += (codes19.empty() ? "" : ", ") + line.substr(at + 7, line.find_first_of(",}", at + 7) - at - 7);
    } else if (codes19.empty() && line.find("\"word\":114,") != std::string::npos) {
      ++calls114;
    }
  }
  std::printf("%s, \"calls114\": %zu, \"codes19\": [%s], \"exit\": %d}\n", g_report.c_str(), calls114,
              codes19.c_str(), rc);
  return 0;
}
