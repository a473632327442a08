// The commands the module exports, one line each (ExportedCommand.h).
#include "heating/design/module/ExportedCommand.h"

#include "heating/design/FloorOffsetTest.h"

HV_EXPORTED_COMMAND(floorOffsetTest, runFloorOffsetTest)
