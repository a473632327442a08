// The data files of the host's data folder that the heating commands read
// their settings from. Empty names stand for files the host did not give:
// every read from them leaves its default.
#pragma once

#include "platform/win/CString.h"

struct CFHDataFiles {
  CString heating;   // "DAT\qev_heat_floors.dat"
  CString settings;  // "Dat\Qev_set.dat"
  CString lines;     // "Dat\Qev_lin.dat"
  CString veziru;    // "Dat\VEZIRU.dat"
  CString ini;       // "Dat\QEV.INI"

  // The paths the application object built at start-up, or all empty when no
  // application object exists.
  static CFHDataFiles ofApplication();
  // The five files below a host folder (given with or without its separator).
  static CFHDataFiles inFolder(const CString& hostFolder);
};
