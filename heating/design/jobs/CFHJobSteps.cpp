// The design model's steps of a design job (CFHJobs.h).
#include "heating/design/jobs/CFHJobs.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/zones/MeanderBaseDefault.h"

namespace {

// The spacing of every zone, and a meander base for a zone that has none.
void prepareCircuit(CFHCircuit& circuit) {
  circuit.prepareDesignSpacing();
  for (CFHZoneEntry* zone : circuit.zones())
    if (zone->design() != nullptr) chooseDefaultMeanderBase(*zone->design());
}
void linkZone(CFHCircuit& circuit, CFHZoneEntry& zone) { circuit.linkToPreviousZone(&zone); }
void designZone(CFHZoneEntry& zone) {
  if (zone.design() != nullptr) zone.design()->design();
}
void buildPath(CFHCircuit& circuit) { circuit.buildPath(); }

constexpr CFHDesignSteps kModelSteps{prepareCircuit, linkZone, designZone, buildPath};

}  // namespace

const CFHDesignSteps& modelDesignSteps() { return kModelSteps; }
