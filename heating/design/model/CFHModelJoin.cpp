// Joining a zone without circuit into a circuit at a picked point (dialog
// code 600).
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

bool CFHModel::joinAtPoint(const XtGePoint2d& point) {
  CFHZoneEntry* inCircuit = joinPair[0];
  CFHZoneEntry* joining = joinPair[1];
  joinPair[0] = joinPair[1] = nullptr;
  if (inCircuit == nullptr || joining == nullptr || joining->circuit != nullptr) return false;
  CFHCircuit* circuit = inCircuit->circuit;
  // The joining zone follows the circuit's last zone in the flow: a link to
  // a zone in the middle of the circuit would not be the link the job makes.
  if (circuit == nullptr || circuit->zones().empty() || circuit->zones().back() != inCircuit) return false;
  // The link changes the exit points of the circuit's last zone (T2).
  circuit->stopWorker();
  joining->design()->setLinkPoint(point);
  circuit->addZone(joining);
  const bool linked = circuit->linkToPreviousZone(joining);
  if (!linked) circuit->popLastZone();
  startDesignJobs(*workerSync_, circuits_);
  return linked;
}
