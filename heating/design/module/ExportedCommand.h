// How the module exports a command: by name, with C linkage, no arguments and
// no answer, as the host calls it. The entry switches to the module's
// framework state for the run and lets no exception out into the host: one
// that reaches it is logged (host/ModuleLog.h) and the command ends; the
// body's scope objects have put back what it changed (tolerances, settings)
// on the way.
//
// A command is one line in ExportedCommands.cpp:
//   HV_EXPORTED_COMMAND(floorOffsetTest, runFloorOffsetTest)
#pragma once

// Runs the body as the exported command `name` (for the log).
void runExportedCommand(const char* name, void (*body)());

#define HV_EXPORTED_COMMAND(name, body) \
  extern "C" __attribute__((visibility("default"))) void name() { runExportedCommand(#name, body); }
