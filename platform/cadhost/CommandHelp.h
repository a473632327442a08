// How a module describes its commands for `cadhost --help`: its export
// "HvDescribeCommands" answers the commands in order, each with a text that
// says what it does and the order of the inputs it asks for (its selections
// first). The texts are UTF-8, lines ended by '\n', and live as long as the
// module. A module without the export is described by its exported names.
#pragma once

inline constexpr const char* hostDescribeCommandsExport = "HvDescribeCommands";

struct HvCommandHelp {
  const char* name;  // the exported command
  const char* text;  // what it does and asks for
};

// Answers the descriptions and sets *count to their number.
using HvDescribeCommandsProc = const HvCommandHelp* (*)(int* count);
