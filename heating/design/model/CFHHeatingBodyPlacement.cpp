// The additional heating bodies: placing the pending one at a picked point
// (dialog code 601), and the connection points of all of them at the
// manifold, where their number labels follow the circuits' labels.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"

#include <algorithm>
#include <string>

void CFHModel::placeHeatingBody(const XtGePoint2d& point, bool picked) {
  CFHZoneEntry* zone = pendingHeatingBody;
  pendingHeatingBody = nullptr;
  if (zone == nullptr || zone->heatingBody == nullptr) return;
  if (!picked) {
    zone->heatingBody.reset();
    return;
  }
  zone->heatingBody->insertionPoint = point;
  renumberHeatingBodies();
  placeHeatingBodies();
}

void CFHModel::placeHeatingBodies() {
  const CFloorHeatingLine* line = pipeNetwork_.connectionLine();
  if (line == nullptr) return;
  const std::vector<CFHCircuit*> sorted = sortedCircuits();

  // How far along the line the circuits' labels reach (their height and
  // width as the output writes them at scale 1).
  const CFHDescData& desc = *descData_;
  const double height = desc.textHeights[CFHDescData::kCircuitLabel] * unitFactor_ * 0.001;
  double farthest = 0.0;
  for (const CFHCircuit* circuit : sorted) {
    const double width = static_cast<double>(std::to_string(circuit->number).size()) * height *
                         desc.widthFactors[CFHDescData::kCircuitLabel];
    const XtGePoint2d onLine = line->closestPointTo(circuit->labelPosition(height, width));
    farthest = std::max(farthest, onLine.distanceTo(line->startPoint()));
  }
  // One distribution-pipe pitch further along for each body, in the order
  // of the circuits by number and their zones: the bodies' numbers are
  // labels as high as the circuits', so they stand apart as the circuits'
  // own connections do, the first one pitch past the farthest circuit label,
  // where it overlaps none of them (a step of one drawing unit would stack
  // the numbers on each other).
  int k = 0;
  for (const CFHCircuit* circuit : sorted) {
    for (const CFHZoneEntry* zone : circuit->zones()) {
      if (zone->heatingBody == nullptr) continue;
      zone->heatingBody->connectionPoint = line->pointAtLength(farthest + (++k) * pipeNetwork_.pipePitch);
    }
  }
}
