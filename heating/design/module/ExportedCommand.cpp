#include "heating/design/module/ExportedCommand.h"

#include <exception>
#include <string>

#include "host/ModuleLog.h"
#include "platform/win/AfxManageState.h"
#include "platform/win/Utf8.h"

void runExportedCommand(const char* name, void (*body)()) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  try {
    body();
  } catch (const std::exception& e) {
    hvLogFailure(hvUtf8ToWide(std::string("command ") + name + " stopped: " + e.what()));
  } catch (...) {
    hvLogFailure(hvUtf8ToWide(std::string("command ") + name + " stopped by an unknown exception"));
  }
}
