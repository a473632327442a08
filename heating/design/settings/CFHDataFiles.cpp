#include "heating/design/settings/CFHDataFiles.h"

#include "host/CQev_HeatingApp.h"
#include "host/DataPaths.h"

CFHDataFiles CFHDataFiles::ofApplication() {
  const CQev_HeatingApp* app = CQev_HeatingApp::instance();
  if (app == nullptr) return {};
  return {CString(app->floorsDataPath), CString(app->settingsDataPath), CString(app->linesDataPath),
          CString(app->veziruDataPath), CString(app->iniPath)};
}

CFHDataFiles CFHDataFiles::inFolder(const CString& hostFolder) {
  const std::u16string folder = withTrailingSeparator(hostFolder.str());
  return {CString(folder + std::u16string(floorsDataFile)), CString(folder + std::u16string(settingsDataFile)),
          CString(folder + std::u16string(linesDataFile)), CString(folder + std::u16string(veziruDataFile)),
          CString(folder + std::u16string(iniDataFile))};
}
