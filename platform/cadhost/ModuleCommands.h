// The commands of a module file, for `cadhost --help` and for a command name
// the module does not export: the plain names the file exports
// (SharedObjectExports.h) less the host protocol's own exports, and the
// module's descriptions of them (CommandHelp.h).
#pragma once

#include <string>
#include <vector>

namespace cadhost {

// The names a script can run, in order; empty when the file does not read.
std::vector<std::string> moduleCommandNames(const std::string& modulePath);

// The --help section on the module's commands. Loads the module (which then
// stays loaded, see CadHost.h) to ask for its descriptions; a command it
// does not describe is named alone.
std::string moduleCommandsHelp(const std::string& modulePath);

// Loads the module for a help topic that reads its string table (it then
// stays loaded); false when the file is missing or does not load.
bool loadModuleForHelp(const std::string& modulePath);

}  // namespace cadhost
