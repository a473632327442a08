// The design model's defaults for new zones and circuits: what a new zone's
// calculation record, zone design and note and a new circuit's calculation
// record start from. The constructor's values hold until the settings
// (CFHModel::loadProfileDefaults) replace them; the profile key of each is
// given beside it. Lengths of the zone design are millimetres here and are
// scaled by the drawing unit factor when a zone design takes them. Changed on
// the command's thread only.
#pragma once

#include "heating/design/settings/FloorStructureLayers.h"

#include "platform/win/CString.h"

#include <cstdint>
#include <vector>

struct CFHDesignDefaults {
  // Zone design.
  std::uint32_t circuitShape = 1;  // "CIRCUIT_SHAPE": 0 meander, 1 spiral
  std::uint32_t displayType = 0;   // "DISPLAY_TYPE": 0 to 2
  double detailRadius = 50.0;      // "DETAIL_RADIUS", mm: "_PT_X_ZDR_RADD"
  double perimeterRadius = 50.0;   // "PERIMETER_RADIUS", mm: "_PT_X_ZDR_RADL"
  double perimeterPitch = 200.0;   // "PERIMETER_PITCH", mm: "_PT_X_ZDR_PERP"
  CString zoneNote;                // "CB_ZCOMMENT"

  // Zone calculation.
  std::uint32_t placement = 0;     // "CB_PLACEMENT": 0 to 2
  double pipeDiameter = 0.017;     // "CB_PIPE_DIAM", m
  double pipePitch = 0.2;          // "CB_PIPE_PITCH", m
  double furnitureOnLegs = 0.0;    // "CB_FURN_LEGS" (SPNN)
  double furnitureOnPlinth = 0.0;  // "CB_FURN_PLINTH" (SPNS)
  double ti = 20.0;                // "CB_T_TI"
  double ti2 = 15.0;               // "CB_T_TDI"
  double tp = 22.5;                // "CB_T_TP"
  std::uint8_t tpFixed = 1;        // "T_TP_FIXED"
  double soilRz = 1.11;            // "CB_SOIL_RZ"
  double tz = 4.0;                 // "CB_T_TZ"
  double alphaP = 12.0;            // "CB_ABOVE_AP"
  double alphaP2 = 8.0;            // "CB_T_ADP"
  double lvr = 1.2;                // "CB_T_LVR"
  double lossQc = 1750.0;
  double borderR = 0.02;           // "CB_BORDER_R", m
  std::uint8_t borderFixed = 0;    // "BORDER_FIXED"
  double capacity = 4176.0;        // "CB_CAPACITY"
  std::vector<CFHFloorLayer> upperLayers;
  std::vector<CFHFloorLayer> lowerLayers;
  CString floorStructureMark;      // "FSTRUCT_NAME"
  CString floorStructureAction;    // "FSTRUCT_ACTION"

  // Circuit calculation.
  CString pipeMaterial;            // "CB_PIPE_MAT"
  double maxLoopLength = 120.0;    // "CB_MAX_LEN", m
  std::uint8_t checkMaxPressure = 0;  // "CHECK_PMAX"
  double maxPressure = 10.0;       // "PMAX_KPA"
};
