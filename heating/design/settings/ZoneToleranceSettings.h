// The zone-bound and manifold-connection tolerances of the heating commands:
// two settings in millimetres ("DozidEzezovedo.ZoneBounds" and
// "DozidEzezovedo.ManifoldConnection" of the section "TOLERANCE" of
// "Dat\VEZIRU.dat"), turned into zoneBoundsTol and manifoldConnectionTol
// (geometry/Tolerances.h) by the drawing unit factor. Read and set on the
// command's thread before any design job starts.
#pragma once

#include "geometry/Tolerances.h"

#include "platform/win/CString.h"

struct ZoneToleranceSettings {
  double zoneBounds = kDefaultZoneBoundsSetting;
  double manifoldConnection = kDefaultManifoldConnectionSetting;
};

// The two settings from the file (the whole value text must be a number);
// each replaces its value in `settings` only when it is a finite number above
// 0. An empty file name reads nothing.
ZoneToleranceSettings readZoneToleranceSettings(const CString& veziruFile, ZoneToleranceSettings settings = {});

// Reads the settings and sets both tolerances from them and the unit factor
// (a factor that is not a positive number counts as 1). Answers the settings
// used.
ZoneToleranceSettings loadZoneTolerances(const CString& veziruFile, double unitFactor,
                                         ZoneToleranceSettings settings = {});
