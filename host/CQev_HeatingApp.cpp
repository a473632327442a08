#include "host/CQev_HeatingApp.h"

#include <atomic>
#include <optional>

#include "host/DataPaths.h"
#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/ModuleLog.h"
#include "host/SiblingModules.h"
#include "host/Tolerances.h"
#include "host/items/productConnection.h"
#include "platform/win/Modules.h"

namespace {

std::atomic<CQev_HeatingApp*> g_instance{nullptr};

}  // namespace

CQev_HeatingApp::CQev_HeatingApp() : CWinApp(nullptr) {
  hvSetDefaultTolerances();
  exportTable = getExport2D();
  bindSiblingModules();
  g_instance.store(this);
}

CQev_HeatingApp::~CQev_HeatingApp() {
  CQev_HeatingApp* self = this;
  g_instance.compare_exchange_strong(self, nullptr);
}

CQev_HeatingApp* CQev_HeatingApp::instance() { return g_instance.load(); }

BOOL CQev_HeatingApp::InitInstance() {
  CWinApp::InitInstance();
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  bindProductDatabases();

  const HostExport2D* table = getExport2D();
  const std::optional<std::u16string> folder = hostFolder(table);
  if (!folder) hvLogFailure(u"the host gives no folder (word 109); the data files are looked for in the working folder");
  hostFolderPath = withTrailingSeparator(folder.value_or(u""));
  floorsDataPath = hostFolderPath + std::u16string(floorsDataFile);
  settingsDataPath = hostFolderPath + std::u16string(settingsDataFile);
  linesDataPath = hostFolderPath + std::u16string(linesDataFile);
  veziruDataPath = hostFolderPath + std::u16string(veziruDataFile);
  iniPath = hostFolderPath + std::u16string(iniDataFile);

  unitFactor = 1.0;
  hostScale = hostUnitScale(table).value_or(1.0);
  return TRUE;
}
