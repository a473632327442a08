// The module's load-time objects, in this order: its string table, the heating
// calculation's constant curves, then the application object, which binds the
// host's tables and the sibling modules as the host loads the module. The
// exported commands are listed in ExportedCommands.cpp.
#include "heating/design/calculation/CFHConstants.h"
#include "host/CQev_HeatingApp.h"
#include "resources/ModuleStrings.h"

namespace {

// Keeps the module's string table registered while the module is loaded.
class ModuleStringsRegistration {
 public:
  ModuleStringsRegistration() { hvRegisterModuleStrings(); }
  ~ModuleStringsRegistration() { hvUnregisterStringTable(hvModuleStrings().data()); }
  ModuleStringsRegistration(const ModuleStringsRegistration&) = delete;
  ModuleStringsRegistration& operator=(const ModuleStringsRegistration&) = delete;
};

const ModuleStringsRegistration moduleStrings;
[[maybe_unused]] const CFHConstants& constantsAtLoad = CFHConstants::instance();

}  // namespace

CQev_HeatingApp theApp;
