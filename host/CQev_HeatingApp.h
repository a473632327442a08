// The module's application object. The module defines its one static instance;
// constructing it (when the host loads the module) takes the host's
// "GetExport2D" table and binds the sibling modules; InitInstance (called by
// the host) binds the host's drawing interface and builds the data paths.
#pragma once

#include <string>

#include "platform/cadhost/HostTables.h"
#include "platform/win/CWinApp.h"

class CQev_HeatingApp : public CWinApp {
 public:
  CQev_HeatingApp();
  ~CQev_HeatingApp() override;

  // Binds "DuZivaruReZuz2u.vev", asks the host for its folder, builds the five
  // data paths and takes the unit scale. Always TRUE: what the host does not
  // give is left out (and logged).
  BOOL InitInstance() override;

  // The application object of the loaded module, or null.
  static CQev_HeatingApp* instance();

  HostExport2D* exportTable = nullptr;  // taken once when constructed; commands fetch their own
  std::u16string hostFolderPath;        // with its trailing separator; empty when the host gives none
  std::u16string floorsDataPath;        // description masks and floor data of the heating design
  std::u16string settingsDataPath;
  std::u16string linesDataPath;
  std::u16string veziruDataPath;
  std::u16string iniPath;               // the module's main settings file
  double unitFactor = 1.0;              // set by each command from the host's unit factor
  double hostScale = 1.0;               // the host's unit scale; 1.0 when the host gives none
};
