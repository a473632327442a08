// The commands the module exports, one line each (ExportedCommand.h).
#include "heating/design/module/ExportedCommand.h"

#include "heating/design/CmdDozidEzezOvedo.h"
#include "heating/design/FloorOffsetTest.h"

#include "heating/dialogs/CFloorHeatingDlgComplex.h"

namespace {

// The design command with the module's main dialog.
void runDesignCommand() { runDozidEzezOvedo(&CFloorHeatingDlgComplex::create); }

}  // namespace

HV_EXPORTED_COMMAND(dozidEzezOvedo, runDesignCommand)
HV_EXPORTED_COMMAND(floorOffsetTest, runFloorOffsetTest)
