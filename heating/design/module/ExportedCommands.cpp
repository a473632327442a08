// The commands the module exports, one line each (ExportedCommand.h).
#include "heating/design/module/ExportedCommand.h"

#include "heating/design/commands/CmdDozidEzezOvedo.h"
#include "heating/design/commands/CmdDozidEzezOvedoEdit.h"
#include "heating/design/commands/FloorOffsetTest.h"

#include "heating/dialogs/CFloorHeatingDlgComplex.h"

namespace {

// The design command with the module's main dialog.
void runDesignCommand() { runDozidEzezOvedo(&CFloorHeatingDlgComplex::create); }
// The edit command with the same dialog.
void runEditCommand() { runDozidEzezOvedoEdit(&CFloorHeatingDlgComplex::create); }

}  // namespace

HV_EXPORTED_COMMAND(dozidEzezOvedo, runDesignCommand)
HV_EXPORTED_COMMAND(dozidEzezOvedoEdit, runEditCommand)
HV_EXPORTED_COMMAND(floorOffsetTest, runFloorOffsetTest)
