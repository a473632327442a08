// Application names of the extended entity data the module reads and writes.
#pragma once

#include "platform/win/WinTypes.h"

inline constexpr const WCHAR* qevDataAppName = u"QEV_DATA";    // item identity and values
inline constexpr const WCHAR* qevInsPointAppName = u"QEV_INSPT";  // insertion and connection points
inline constexpr const WCHAR* acadAppName = u"ACAD";          // the CAD program's own overrides

// The application name of an association of `kind`: 1 "VE2R_ASSOC_FIELD",
// 2 "ACAD_FIELD", 3 "VE2R_ASSOC_LIGHTNING", any other "VE2R_ASSOC".
LPCWSTR associationAppName(int kind);
