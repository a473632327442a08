#include "heating/design/commands/HeatingCommandScope.h"

#include "heating/design/settings/ZoneToleranceSettings.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "host/HostExport.h"
#include "host/items/productConnection.h"

HeatingCommandScope::HeatingCommandScope(const CString& veziruFile)
    : unitFactor_(hostUnitFactor().value_or(0)),
      savedDrawingUnitFactor_(drawingUnitFactor),
      savedZoneBounds_(zoneBoundsTol),
      savedManifoldConnection_(manifoldConnectionTol),
      geometry_(unitFactor_) {
  resetProductConnections();
  drawingUnitFactor = static_cast<double>(unitFactor_);
  loadZoneTolerances(veziruFile, drawingUnitFactor);
}

HeatingCommandScope::~HeatingCommandScope() {
  drawingUnitFactor = savedDrawingUnitFactor_;
  zoneBoundsTol = savedZoneBounds_;
  manifoldConnectionTol = savedManifoldConnection_;
}
