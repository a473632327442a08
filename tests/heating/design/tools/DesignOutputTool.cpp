// A heating design of a drawing drawn through the stand-in host, for
// design_output_test.py. The drawing holds a manifold with one distribution
// pipe (handles 100, 101) and one zone outline (102). In one command the tool
// takes both selections as the design command does, builds the design model
// in work coordinates (the manifold, one zone, one circuit connected by the
// pipe, a U-shaped pipe in the zone), calculates it, draws it, and on success
// hands the picked zone curve to word 142 and the held entities back; on
// failure it closes the output with 0x80000020. Then the drawing is saved.
//
// Usage: DesignOutputTool DRAWING OUT.dxf [options]
//   --display N        display type of the zone (2: levels, a hatch)
//   --border MM        border width of every boundary item (dimensions)
//   --body             a placed heating body with its number
//   --annotative 1|3   annotative labels
//   --no-zones         the circuit has no zone (the output must stop)
//   --ucs OX,OY,DX,DY, --fail-word N@K, --142 MODE, --no-desc: as cadhost's
// Prints one JSON line: {"drawn", "connection" (world points), "calls114"
// (word 114 calls before the output's end), "codes19", "exit"}.
#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHDrawingInOut.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"
#include "heating/design/HeatingCommandScope.h"

#include "heating/layout/CFHCircuitSegment.h"
#include "heating/layout/OffsetLevelSource.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/HeatingCurvesFromDrawing.h"
#include "heating/curves/VariantValue.h"

#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/HvHostApi.h"
#include "host/SiblingModules.h"
#include "host/items/productConnection.h"

#include "resources/ModuleStrings.h"

#include "platform/win/Modules.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Options {
  int display = 0;
  double border = 0.0;
  bool body = false;
  int annotative = 0;
  bool zones = true;
};

Options g_options;
std::string g_report;

// A layout of segments through the points (work coordinates): the first
// `supply` pieces on the supply side, the rest on the return side.
std::unique_ptr<CFHCircuitLayout> segmentLayout(CFHZoneBoundary* boundary, const std::vector<XtGePoint2d>& points,
                                                std::size_t supply) {
  auto layout = std::make_unique<CFHCircuitLayout>(0.0, 200.0, 200.0);
  layout->boundary = boundary;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    layout->pipeEnds.push_back(new CFHPipeEnd(points[i], 1, 0));
    layout->pipeEnds.push_back(new CFHPipeEnd(points[i + 1], 1, 0));
    auto* segment = new CFHCircuitSegment(layout->pipeEnds[layout->pipeEnds.size() - 2], layout->pipeEnds.back(),
                                          std::make_unique<CFloorHeatingLine>(points[i], points[i + 1], nullptr, 3), 0);
    segment->drawn = 1;
    segment->side = i < supply ? 1 : 0;
    layout->segments.push_back(segment);
  }
  return layout;
}

// The zone laid as a U from the pipe's end on its boundary, 200 wide, 1000
// deep, inward; display types beyond 1 keep levels only in the main layout.
void layZone(CFHZoneEntry& zone, const XtGePoint2d& start, const XtGeVector2d& inward) {
  CFHZoneDesign& design = *zone.design();
  const XtGeVector2d across(inward.y, -inward.x);
  const std::vector<XtGePoint2d> u = {start, start + inward * 1000.0, start + inward * 1000.0 + across * 200.0,
                                      start + across * 200.0};
  CFHZoneDesign::BusyScope busy(design);
  auto path = segmentLayout(design.boundary(), u, 2);
  if (design.displayType() <= 1) {
    busy.replaceLayouts(std::move(path), nullptr);
  } else {
    auto levels = std::make_unique<CFHCircuitLayout>(0.0, 200.0, 200.0);
    levels->boundary = design.boundary();
    busy.replaceLayouts(std::move(levels), std::move(path));
  }
}

std::string json(const XtGePoint2d& p) {
  char text[80];
  std::snprintf(text, sizeof text, "[%.17g, %.17g]", p.x, p.y);
  return text;
}

void drawCommand() {
  HeatingCommandScope scope{CString()};
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  hvRegisterModuleStrings();
  bindSiblingModules();
  resetProductConnections();
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  io.clear();
  // The manifold and its pipe, held as the command holds them; the zones.
  selectWithPrompt(u"", 4);
  while (resbuf* list = nextSelectedEntity()) {
    const std::int32_t held = io.holdEntity(ltListRef::create(list));
    int status = 0;
    auto record = CFHDrawingInOut::createRecord(classifyEntityType(list, status, true), list);
    if (record->kind() != CFHEntityInOut::kDistributor) {
      io.pipeRecords.push_back(std::move(record));
      continue;
    }
    io.setManifold(std::unique_ptr<CFHDistributorInOut>(static_cast<CFHDistributorInOut*>(record.release())));
    io.manifold()->heldIndex = held;
  }
  selectWithPrompt(u"", 0x2003);
  while (resbuf* given = nextSelectedEntity()) {
    const ownedChain list(given);
    int status = 0;
    io.zoneCurveRecords.push_back(CFHDrawingInOut::createRecord(classifyEntityType(list.get(), status, false), list.get()));
  }
  io.updateUcs();
  io.transformAllToWork();

  CFHModel model;
  model.loadSettings(getExport2D());
  CFHPipeNetwork& network = model.pipeNetwork();
  network.readManifoldItem(io.manifold()->list());
  network.referencePoint = io.workMatrix() * network.referencePoint;
  network.outlineSource = io.manifold()->connectionPoints;
  network.distributorOutline();
  CFHDescData& desc = model.descData();
  desc.descriptionMask = u"Zóna %_PT_ZONA_OZN%\\Q = %_PT_ZONA_Q% W/m2\\%_PT_ZONA_PODL_UMISTENI%";
  desc.annotative = g_options.annotative != 0;
  desc.annotativeSecond = g_options.annotative == 3;

  CFHZoneEntry& zone = *model.addZone(1);
  auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
  boundary->addBoundaryCurve(curveFromEntityRecord(*io.zoneCurveRecords.front()));
  boundary->prepareLoop(true);
  boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
  boundary->prepareLoop(false);
  zone.design()->setBoundary(std::move(boundary));
  zone.design()->setDisplayType(static_cast<std::uint32_t>(g_options.display));
  zone.calc.borderR = valueOf(g_options.border * 0.001);
  zone.calc.borderFixed = g_options.border > 0.0;
  for (int i = 0; i < zone.design()->boundary()->asDrawnLoop.itemCount(); ++i)
    zone.design()->boundary()->setItemValue(i, g_options.border);

  // The pipe: its end in the zone first, the outlet second.
  CFHCircuit& circuit = *model.addCircuit(1);
  const XtGeLineSeg2d& pipe = *io.pipeRecords.front()->lineSeg();
  const bool startIn = pipe.startPoint().asVector().length() > pipe.endPoint().asVector().length();
  circuit.connectionPoints[0] = startIn ? pipe.startPoint() : pipe.endPoint();
  circuit.connectionPoints[1] = startIn ? pipe.endPoint() : pipe.startPoint();
  if (g_options.zones) circuit.addZone(&zone);
  const XtGeVector2d inward = (circuit.connectionPoints[0] - circuit.connectionPoints[1]).normal();
  layZone(zone, circuit.connectionPoints[0], inward);
  if (g_options.body) {
    zone.heatingBody = std::make_unique<CFHHeatingBody>();
    zone.heatingBody->insertionPoint = circuit.connectionPoints[0] + inward * 1500.0;
    zone.heatingBody->connectionPoint = circuit.connectionPoints[1] + XtGeVector2d(inward.y, -inward.x) * 300.0;
    zone.heatingBody->number = 2;
    zone.heatingBody->output = 812.5;
  }
  circuit.calculate();

  const XtGeMatrix2d toWorld = io.workMatrix().inverse();
  const std::string connection = "[" + json(toWorld * circuit.connectionPoints[0]) + ", " +
                                 json(toWorld * circuit.connectionPoints[1]) + "]";
  std::vector<std::u16string> picked;
  CFHDrawingInOut::collectHandles(io.zoneCurveRecords, picked);
  const bool drawn = model.drawDesign();
  if (drawn) {
    // The command's hand-over: the picked zone curves go, the held
    // entities but the manifold come back.
    std::vector<const char16_t*> handles;
    for (const std::u16string& h : picked) handles.push_back(h.c_str());
    handles.push_back(nullptr);
    callHostWord<142>(handles.data(), static_cast<int>(picked.size()), 1);
    io.updateUcs();
    io.transformAllToWork();
    io.releaseHeldEntities(false);
  } else {
    callHostWord<19>(0x80000020u);
  }
  io.clear();
  hvReleaseHostApi(false);
  g_report = std::string("{\"drawn\": ") + (drawn ? "true" : "false") + ", \"connection\": " + connection;
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
    else if (arg == "--no-zones") g_options.zones = false;
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
                             "command draw\nselect handles 100 101\nselect handles 102\nsave " + out + "\n", host,
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
