// Routing the distribution pipes of drawings read through the stand-in host,
// brought into work coordinates as the design command brings them: the
// one-pipe drawing (tests/heating/design/data, made by tools/make_one_pipe.py)
// and the three-zones example; the manifold read and its own frame.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHManifoldFrame.h"
#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/HostExport.h"
#include "host/entities/entReaderSteps.h"
#include "host/items/productConnection.h"

#include "platform/cadhost/HostStatus.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"
#include "tests/heating/design/tools/InProcessDesign.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <cmath>
#include <functional>
#include <vector>
#include <numbers>

namespace {

const std::string kOnePipe = std::string(HV_DESIGN_TEST_DATA) + "/one-pipe.dxf";

// The drawing's manifold with its pipes, then its zones, read as the design
// command reads them into a model: records in work coordinates, the manifold
// and its outline, the pipes' working geometry, one zone per zone curve (a
// zone that holds a pipe point is entered by the pipes).
struct DrawnDesign {
  CFHModel model;
  bool manifoldRead = false;
  int routed = -1;

  void read(CFHDrawingInOut& io) {
    in_process_design::pickInputs(io);
    manifoldRead = in_process_design::buildModel(model, io);
  }
};

std::function<void()> g_body;

// Runs the body as a command over the drawing, the manifold and the pipes
// selected first, then the zones.
void runOver(const std::string& drawing, const std::string& first, const std::string& zones,
             std::function<void()> body, cadhost::CadhostOptions options = {}) {
  options.productsPath = HV_PRODUCTS_FILE;
  g_body = std::move(body);
  cadhost::test::HostRun run(drawing, "command run\nselect handles " + first + "\nselect handles " + zones + "\n",
                             options, {{"run", [] {
                                          resetProductConnections();
                                          g_body();
                                          CFHDrawingInOut::instance().clear();
                                          resetProductConnections();
                                        }}});
  EXPECT_EQ(run.run(), 0);
}

class Routing : public zone_design_test::DesignTest {};

bool isNear(const XtGePoint2d& p, XtGePoint2d q) { return p.isEqualTo(q, workTol); }

// The manifold at (1000, 1000): outline (0,0)-(600,100) in work coordinates,
// reference (0, 50); the pipe (300,100)-(300,1000); the zone's bottom at y 1000.
TEST_F(Routing, OnePipeBecomesSupplyAndReturnIntoItsZone) {
  DrawnDesign d;
  runOver(kOnePipe, "100 101", "102", [&] {
    d.read(CFHDrawingInOut::instance());
    d.routed = d.model.pipeNetwork().route();
  });
  const CFHPipeNetwork& network = d.model.pipeNetwork();
  ASSERT_TRUE(d.manifoldRead);
  EXPECT_TRUE(network.itemId == CString(u"TOT0000-0023") && network.mark == CString(u"RZ1"));
  EXPECT_TRUE(network.referencePoint == XtGePoint2d(0, 0) && network.outlineSource.size() == 4u);
  XtGePoint2d reference;
  EXPECT_TRUE(network.outlineReferencePoint(reference) && reference == XtGePoint2d(0, 50));

  ASSERT_EQ(d.routed, CFHPipeNetwork::kRouted);
  EXPECT_EQ(network.pipePitch, 200.0);  // one pipe: d stays
  ASSERT_EQ(d.model.circuits().size(), 1u);
  const CFHCircuit& circuit = *d.model.circuits().front();
  ASSERT_EQ(circuit.zones().size(), 1u);
  const CFHZoneDesign& design = *circuit.zones().front()->design();
  EXPECT_TRUE(isNear(circuit.supplyPipe()->startPoint(), {400, 1000}) && isNear(circuit.supplyPipe()->endPoint(), {400, 100}));
  EXPECT_TRUE(isNear(circuit.returnPipe()->startPoint(), {200, 1000}) && isNear(circuit.returnPipe()->endPoint(), {200, 100}));
  EXPECT_TRUE(isNear(design.pipeEnd(0)->point, {400, 1000}) && isNear(design.pipeEnd(1)->point, {200, 1000}));
  EXPECT_TRUE(isNear(circuit.connectionPoints[0], {300, 1000}) && isNear(circuit.connectionPoints[1], {300, 100}));
}

// The manifold at (5000, 1000) with six outline points: reference (400, 100);
// both pipes 200 from it, kept in drawing order; 400 apart, so d = 200.
// Circuit 1 reaches the L, circuit 2 the rectangle; the arc room stays free.
TEST_F(Routing, ThreeZonesExample) {
  DrawnDesign d;
  runOver("three-zones.dxf", "200 201 202", "203 204 205", [&] {
    d.read(CFHDrawingInOut::instance());
    d.routed = d.model.pipeNetwork().route();
  });
  XtGePoint2d reference;
  ASSERT_TRUE(d.manifoldRead && d.model.pipeNetwork().outlineReferencePoint(reference));
  EXPECT_EQ(reference, XtGePoint2d(400, 100));
  ASSERT_EQ(d.routed, CFHPipeNetwork::kRouted);
  EXPECT_EQ(d.model.pipeNetwork().pipePitch, 200.0);
  ASSERT_EQ(d.model.circuits().size(), 2u);
  ASSERT_EQ(d.model.zones().size(), 3u);
  const CFHZoneEntry* l = d.model.zones()[0].get();
  EXPECT_EQ(d.model.circuits()[0]->zones().front(), l);
  EXPECT_EQ(d.model.circuits()[1]->zones().front(), d.model.zones()[1].get());
  for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(d.model.zones()[i]->number, i + 1);
  EXPECT_EQ(d.model.zones()[2]->circuit, nullptr);
  EXPECT_TRUE(isNear(d.model.circuits()[1]->connectionPoints[0], {-3000, 1000}));
  EXPECT_TRUE(isNear(l->design()->pipeEnd(0)->point, {700, 1000}) && isNear(l->design()->pipeEnd(1)->point, {500, 1000}));
}

// The minimal drawing's pipes run 200 apart: pitch and limit 100. A pitch
// of 80 lays each circuit's pipes 40 either side of its centre line, from
// its first zone's outline, and rebuilds the zones' working loops around
// them; 150 is capped to 100, which lays them as routed; 0, -1 and NaN are
// refused.
TEST_F(Routing, MinimalDrawingTakesANewPitch) {
  DrawnDesign d;
  runOver("minimal.dxf", "100 101 103", "102 104", [&] {
    d.read(CFHDrawingInOut::instance());
    ASSERT_EQ(d.model.pipeNetwork().route(), CFHPipeNetwork::kRouted);
    CFHPipeNetwork& network = d.model.pipeNetwork();
    ASSERT_TRUE(network.pipePitch == 100.0 && network.pipePitchLimit == 100.0);
    ASSERT_EQ(d.model.circuits().size(), 2u);
    std::vector<XtGePoint2d> routed;
    for (const auto& circuit : d.model.circuits())
      routed.insert(routed.end(), {circuit->supplyPipe()->startPoint(), circuit->returnPipe()->startPoint()});
    // A working loop built again forgets its reference point.
    for (const auto& zone : d.model.zones()) zone->design()->boundary()->cachedPoint(false);
    for (const double refused : {0.0, -1.0, std::nan("")}) EXPECT_FALSE(network.setPipePitch(refused));
    for (const auto& zone : d.model.zones()) EXPECT_TRUE(zone->design()->boundary()->cachedPointValid(false));
    ASSERT_TRUE(network.setPipePitch(80));
    EXPECT_EQ(network.pipePitch, 80.0);
    for (const auto& circuit : d.model.circuits()) {
      const CFHZoneDesign& design = *circuit->zones().front()->design();
      const CFHZoneBoundary& boundary = *design.boundary();
      for (int i = 0; i < 2; ++i) {
        const XtGePoint2d end = design.pipeEnd(i)->point;
        EXPECT_NEAR(circuit->centreLine->distanceTo(end), 40.0, 1e-6) << circuit->number;
        XtGePoint2d onOutline = end;
        EXPECT_TRUE(boundary.isOnLoop(onOutline, true));
      }
      EXPECT_TRUE(boundary.touchesLoop(*circuit->supplyPipe()) && boundary.touchesLoop(*circuit->returnPipe()));
      EXPECT_FALSE(boundary.cachedPointValid(false));
    }
    ASSERT_TRUE(network.setPipePitch(150));
    EXPECT_EQ(network.pipePitch, 100.0);
    std::size_t i = 0;
    for (const auto& circuit : d.model.circuits()) {
      EXPECT_TRUE(isNear(circuit->supplyPipe()->startPoint(), routed[i++]));
      EXPECT_TRUE(isNear(circuit->returnPipe()->startPoint(), routed[i++]));
    }
  });
}

// Blocks the routing cannot use: "TOT0000-0001" needs six outline points and
// has four; a block of three points. The item itself is read.
TEST_F(Routing, ManifoldsWithTooFewOutlinePointsAreRefused) {
  for (const char* handle : {"200", "201"}) {
    bool read = true;
    runOver(kOnePipe, handle, "102", [&] {
      DrawnDesign d;
      d.read(CFHDrawingInOut::instance());
      read = d.manifoldRead;
      EXPECT_EQ(d.model.pipeNetwork().mark, CString(u"RZX"));
    });
    EXPECT_FALSE(read) << handle;
  }
}

// The user system turned by 30 degrees: the work point one unit along from
// the reference is (cos 30, sin 30) in the manifold's frame, and back.
TEST_F(Routing, ManifoldFrameFollowsTheUserSystem) {
  const double a = std::numbers::pi / 6;
  cadhost::CadhostOptions options;
  options.ucs = cadhost::UcsFrame({500, 200, 0}, {std::cos(a), std::sin(a), 0});
  DrawnDesign d;
  double angle = 0.0;
  runOver(kOnePipe, "100 101", "102", [&] {
    d.read(CFHDrawingInOut::instance());
    angle = CFHDrawingInOut::instance().ucsAngle();
  }, options);
  const CFHPipeNetwork& network = d.model.pipeNetwork();
  ASSERT_TRUE(d.manifoldRead);
  EXPECT_TRUE(network.referencePoint.isEqualTo({0, 0}, XtGeTol(1e-9, 1e-12)));
  const XtGePoint2d p = network.referencePoint + XtGeVector2d(1, 0);
  const XtGePoint2d local = manifoldToLocal(network, p, angle);
  EXPECT_TRUE(local.isEqualTo({std::cos(a), std::sin(a)}, XtGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(manifoldToDrawing(network, local, angle).isEqualTo(p, XtGeTol(1e-12, 1e-12)));
}

}  // namespace
