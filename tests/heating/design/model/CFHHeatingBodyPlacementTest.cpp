// The additional heating bodies at the manifold: a picked body is placed,
// an unpicked one dropped, and every body's number stands on the manifold's
// connection line one distribution-pipe pitch after the circuits' labels and
// after each other, whichever way the manifold is turned.
#include "heating/design/model/CFHCircuit.h"

#include "CircuitTestSupport.h"

#include "platform/ge/XtGeMatrix2d.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

using circuit_test::CircuitTest;
using P = XtGePoint2d;

// A 600 x 100 manifold turned by `angle` about the origin, with circuits 1
// to 3 leaving its long side at 100, 300 and 500 upwards; zones 1 to 4 with
// zones 3 and 1 on circuit 1, zone 4 on circuit 3, zone 2 on none.
struct Manifold {
  explicit Manifold(double angle) : turn(XtGeMatrix2d::rotation(angle)) {
    CFHPipeNetwork& network = model.pipeNetwork();
    for (const P& p : {P(0, 0), P(600, 0), P(600, 100), P(0, 100)}) network.outlineSource.push_back(turn * p);
    network.distributorOutline();
    network.pipePitch = 200;
    for (std::uint32_t n = 1; n <= 3; ++n) {
      CFHCircuit* circuit = model.addCircuit(n);
      const double x = 200.0 * n - 100.0;
      circuit->connectionPoints[0] = turn * P(x, 100);
      circuit->connectionPoints[1] = turn * P(x, 1000);
    }
    for (std::uint32_t n = 1; n <= 4; ++n) model.addZone(n);
    model.circuits()[0]->addZone(zone(3));
    model.circuits()[0]->addZone(zone(1));
    model.circuits()[2]->addZone(zone(4));
  }
  CFHZoneEntry* zone(std::uint32_t n) { return model.zoneByNumber(n); }
  // Gives the zone a pending body and places it at the point.
  void place(std::uint32_t n, const P& point, bool picked = true) {
    zone(n)->heatingBody = std::make_unique<CFHHeatingBody>();
    model.pendingHeatingBody = zone(n);
    model.placeHeatingBody(point, picked);
  }

  XtGeMatrix2d turn;
  CFHModel model;
};

TEST_F(CircuitTest, APickedBodyIsPlacedAndAnUnpickedOneDropped) {
  Manifold m(0.0);
  m.place(1, P(2000, 4000));
  EXPECT_EQ(m.model.pendingHeatingBody, nullptr);
  ASSERT_NE(m.zone(1)->heatingBody, nullptr);
  EXPECT_EQ(m.zone(1)->heatingBody->insertionPoint, P(2000, 4000));
  EXPECT_EQ(m.zone(1)->heatingBody->number, 4u) << "after the highest circuit number";

  m.place(2, P(1, 1), false);
  EXPECT_EQ(m.zone(2)->heatingBody, nullptr);
  EXPECT_EQ(m.model.pendingHeatingBody, nullptr);
  m.model.placeHeatingBody(P(5, 5), true);  // nothing pending: nothing happens
  EXPECT_EQ(m.zone(1)->heatingBody->insertionPoint, P(2000, 4000));
}

// Read as a length, "the farthest label's foot + k" would put the first
// number on the foot of the last circuit's label and every further one a unit after
// it: numbers 7.2 high overlapping each other. Read as the segment's own
// parameter (0 at its start, 1 at its end) it would throw them hundreds of
// manifold lengths away. The bodies go one pipe pitch apart instead, the
// first one pitch after the labels, as the circuits' own connections do.
TEST_F(CircuitTest, BodyNumbersFollowTheLabelsOnePitchApartOnTheConnectionLine) {
  for (const double angle : {0.0, std::numbers::pi / 6, std::numbers::pi / 2, 2.5}) {
    SCOPED_TRACE(testing::Message() << "manifold turned by " << angle);
    Manifold m(angle);
    m.place(4, P(0, 5000));
    m.place(1, P(2000, 4000));
    m.place(3, P(1000, 4000));
    const CFloorHeatingLine& line = *m.model.pipeNetwork().connectionLine();
    const XtGeVector2d along = (line.endPoint() - line.startPoint()).normal();
    const auto at = [&](const P& p) { return (p - line.startPoint()).dotProduct(along); };

    // The circuits' labels as the output places them, measured along the line.
    const CFHDescData& desc = m.model.descData();
    const double height = desc.textHeights[CFHDescData::kCircuitLabel];
    std::vector<double> labels;
    for (const auto& circuit : m.model.circuits()) {
      const double width = static_cast<double>(std::to_string(circuit->number).size()) * height *
                           desc.widthFactors[CFHDescData::kCircuitLabel];
      labels.push_back(at(line.closestPointTo(circuit->labelPosition(height, width))));
    }
    const double lastLabel = *std::max_element(labels.begin(), labels.end());
    EXPECT_GT(lastLabel - *std::min_element(labels.begin(), labels.end()), 390.0) << "the labels' row";

    // Circuit 1's zones 3 and 1, then circuit 3's zone 4, numbered 4, 5, 6.
    const std::uint32_t order[] = {3, 1, 4};
    for (int k = 0; k < 3; ++k) {
      const CFHHeatingBody& body = *m.zone(order[k])->heatingBody;
      EXPECT_EQ(body.number, 4u + static_cast<std::uint32_t>(k));
      EXPECT_LT(std::fabs((body.connectionPoint - line.startPoint()).crossProduct(along)), 1e-6)
          << "on the connection line, drawn on";
      EXPECT_NEAR(at(body.connectionPoint), lastLabel + 200.0 * (k + 1), 1e-6);
      for (const double label : labels) EXPECT_GE(at(body.connectionPoint) - label, 200.0 - 1e-6);
    }
  }
}

}  // namespace
