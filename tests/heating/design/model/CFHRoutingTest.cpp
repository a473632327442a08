// Routing in work coordinates around the manifold outline (0,0)-(600,100):
// the pitch from the first two pipes, a start snapped onto the outline, a
// zone round the manifold, and the refusals, each leaving the circuits made
// before it and nothing half-made.
#include "heating/design/model/CFHCircuit.h"

#include "heating/curves/CFloorHeatingArc.h"

#include "ZoneDesignTestSupport.h"

#include <cmath>
#include <numbers>

namespace {

class Routing : public zone_design_test::DesignTest {};

zone_fixture::Zone box(double x0, double y0, double x1, double y1) {
  return zone_fixture::polygon("", {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

struct Network {
  Network() {
    CFHPipeNetwork& network = model.pipeNetwork();
    network.outlineSource = {{0, 0}, {600, 0}, {600, 100}, {0, 100}};
    network.distributorOutline();
  }
  void pipe(XtGePoint2d from, XtGePoint2d to) {
    model.pipeNetwork().addPipe(std::make_unique<CFloorHeatingLine>(from, to, nullptr, 13));
  }
  CFHModel model;
};

TEST_F(Routing, PitchFromTheFirstTwoPipes) {
  // Pipes 300 apart: d 150; 100 apart: 50; 500 apart: d stays 200.
  const struct {
    double secondX;
    double pitch;
  } cases[] = {{400, 150}, {200, 50}, {600, 200}};
  for (const auto& c : cases) {
    Network n;
    n.pipe({100, 100}, {100, 1000});
    n.pipe({c.secondX, 100}, {c.secondX, 1000});
    zone_design_test::addZone(n.model, 1, box(-1000, 1000, 0, 3000), false);
    zone_design_test::addZone(n.model, 2, box(0, 1000, 4000, 3000), false);
    n.model.pipeNetwork().pipePitch = 200;
    EXPECT_EQ(n.model.pipeNetwork().route(), CFHPipeNetwork::kZoneFedTwice);
    EXPECT_EQ(n.model.pipeNetwork().pipePitch, c.pitch);
  }
  // Pipes that touch leave d as it is; each reaches its own zone.
  Network n;
  n.pipe({200, 100}, {200, 1000});
  n.pipe({200, 100}, {1500, 1000});
  zone_design_test::addZone(n.model, 1, box(-1000, 1000, 1000, 3000), false);
  zone_design_test::addZone(n.model, 2, box(1000, 1000, 3000, 3000), false);
  EXPECT_EQ(n.model.pipeNetwork().route(), CFHPipeNetwork::kRouted);
  EXPECT_EQ(n.model.pipeNetwork().pipePitch, 200.0);
  EXPECT_EQ(n.model.circuits().size(), 2u);
}

TEST_F(Routing, AStartBesideTheOutlineIsSnappedOntoIt) {
  Network n;
  n.pipe({300, 120}, {300, 1000});
  zone_design_test::addZone(n.model, 1, box(0, 1000, 4000, 4000), false);
  ASSERT_EQ(n.model.pipeNetwork().route(), CFHPipeNetwork::kRouted);
  EXPECT_TRUE(n.model.pipeNetwork().pipeCurves().front()->startPoint().isEqualTo({300, 100}, workTol));
  const CFHCircuit& circuit = *n.model.circuits().front();
  EXPECT_TRUE(circuit.connectionPoints[1].isEqualTo({300, 100}, workTol));
  EXPECT_TRUE(circuit.supplyPipe()->endPoint().isEqualTo({400, 100}, workTol));
}

// A pipe ending on a wall at 45 degrees: the supply beside it stops short of
// the wall and is prolonged to it, the return is cut back; both stay
// parallel to the centre line.
TEST_F(Routing, PipesBesideACentreLineOnASlantedWallReachIt) {
  Network slanted;
  slanted.pipe({300, 100}, {300, 1900});
  const zone_fixture::Zone triangle = zone_fixture::polygon("", {{-1000, 600}, {2000, 3600}, {-1000, 3600}});
  zone_design_test::addZone(slanted.model, 1, triangle, false);
  ASSERT_EQ(slanted.model.pipeNetwork().route(), CFHPipeNetwork::kRouted);
  const CFHCircuit& circuit = *slanted.model.circuits().front();
  EXPECT_TRUE(circuit.supplyPipe()->startPoint().isEqualTo({400, 2000}, workTol));
  EXPECT_TRUE(circuit.returnPipe()->startPoint().isEqualTo({200, 1800}, workTol));
}

// A zone round the manifold takes a pipe that ends inside it only when it
// is flagged as entered by the pipes; the pipe ends then lie at the outline.
TEST_F(Routing, AZoneRoundTheManifoldOnlyWithItsFlag) {
  for (const bool flagged : {false, true}) {
    Network n;
    n.pipe({300, 100}, {300, 1000});
    CFHZoneEntry* zone = zone_design_test::addZone(n.model, 1, box(-1000, -1000, 2000, 2000), false);
    zone->pipesRunInto = flagged ? 1 : 0;
    const int routed = n.model.pipeNetwork().route();
    EXPECT_EQ(routed, flagged ? CFHPipeNetwork::kRouted : CFHPipeNetwork::kReachesNoZone);
    EXPECT_EQ(n.model.circuits().size(), flagged ? 1u : 0u);
    if (!flagged) continue;
    EXPECT_EQ(zone->circuit, n.model.circuits().front().get());
    EXPECT_TRUE(zone->design()->pipeEnd(0)->point.isEqualTo({400, 100}, workTol));
    EXPECT_TRUE(zone->design()->pipeEnd(1)->point.isEqualTo({200, 100}, workTol));
  }
}

// Refusals: a pipe away from the manifold (1), a pipe into no zone (2), a
// zone reached twice (3), a pipe that cannot be doubled (1), an outline of
// three segments (1). The circuits
// before the refusal stay; the zone keeps the first pipe's ends.
TEST_F(Routing, RefusalsKeepWhatWasMadeBefore) {
  const struct {
    XtGePoint2d from, to;
    int result;
  } cases[] = {{{300, 300}, {300, 1000}, CFHPipeNetwork::kNotAtManifold},
               {{500, 100}, {500, 700}, CFHPipeNetwork::kReachesNoZone},
               {{500, 100}, {500, 1000}, CFHPipeNetwork::kZoneFedTwice}};
  for (const auto& c : cases) {
    Network n;
    n.pipe({100, 100}, {100, 1000});
    n.pipe(c.from, c.to);
    CFHZoneEntry* zone = zone_design_test::addZone(n.model, 1, box(0, 1000, 4000, 4000), false);
    EXPECT_EQ(n.model.pipeNetwork().route(), c.result);
    const std::size_t before = c.result == CFHPipeNetwork::kNotAtManifold ? 0u : 1u;
    EXPECT_EQ(n.model.circuits().size(), before);
    if (before == 1) {
      EXPECT_EQ(zone->circuit, n.model.circuits().front().get());
      EXPECT_TRUE(zone->design()->pipeEnd(0)->point.isEqualTo({200, 1000}, workTol));
    }
  }
  // A pipe of no length on the wall of a zone along the manifold has no
  // supply or return beside it.
  Network point;
  point.pipe({300, 100}, {300, 100});
  zone_design_test::addZone(point.model, 1, box(0, 100, 600, 1000), false);
  EXPECT_EQ(point.model.pipeNetwork().route(), CFHPipeNetwork::kNotAtManifold);
  EXPECT_TRUE(point.model.circuits().empty());
  Network three;
  three.model.pipeNetwork().outlineSource.pop_back();
  three.model.pipeNetwork().distributorOutline();
  three.pipe({300, 100}, {300, 1000});
  EXPECT_EQ(three.model.pipeNetwork().route(), CFHPipeNetwork::kNotAtManifold);
}

// A new pitch connects every circuit again, all or none: a circuit whose
// centre line (an arc of radius 30) cannot be offset by half the pitch keeps
// the others as they were.
TEST_F(Routing, ANewPitchConnectsAllCircuitsOrNone) {
  Network n;
  n.pipe({100, 100}, {100, 1000});
  CFHZoneEntry* first = zone_design_test::addZone(n.model, 1, box(-1000, 1000, 1000, 3000), false);
  CFHPipeNetwork& network = n.model.pipeNetwork();
  network.pipePitch = 20;
  ASSERT_EQ(network.route(), CFHPipeNetwork::kRouted);
  CFHCircuit& routed = *n.model.circuits().front();
  CFHCircuit* arcCircuit = n.model.addCircuit(2);
  arcCircuit->addZone(zone_design_test::addZone(n.model, 2, box(2000, 1000, 3000, 3000), false));
  CFloorHeatingArc arc(XtGeCircArc2d({400, 100}, 30, 0, std::numbers::pi), nullptr, 13);
  arcCircuit->centreLine = &arc;
  const CFloorHeatingCurve* supply = routed.supplyPipe();
  const XtGePoint2d ends[2] = {first->design()->pipeEnd(0)->point, first->design()->pipeEnd(1)->point};
  for (const double pitch : {100.0, 0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(network.setPipePitch(pitch)) << pitch;
    EXPECT_EQ(network.pipePitch, 20.0);
    EXPECT_EQ(routed.supplyPipe(), supply);
    EXPECT_TRUE(first->design()->pipeEnd(0)->point == ends[0] && first->design()->pipeEnd(1)->point == ends[1]);
    EXPECT_TRUE(arcCircuit->supplyPipe() == nullptr && arcCircuit->returnPipe() == nullptr);
  }
  // Without the arc: the pipes 50 either side, the pitch capped by its limit.
  arcCircuit->centreLine = nullptr;
  ASSERT_TRUE(network.setPipePitch(100));
  EXPECT_TRUE(first->design()->pipeEnd(0)->point.isEqualTo({150, 1000}, workTol));
  EXPECT_TRUE(first->design()->pipeEnd(1)->point.isEqualTo({50, 1000}, workTol));
  EXPECT_TRUE(routed.supplyPipe()->endPoint().isEqualTo({150, 100}, workTol));
  network.pipePitchLimit = 60;
  ASSERT_TRUE(network.setPipePitch(150));
  EXPECT_EQ(network.pipePitch, 60.0);
  EXPECT_TRUE(first->design()->pipeEnd(1)->point.isEqualTo({70, 1000}, workTol));
}

}  // namespace
