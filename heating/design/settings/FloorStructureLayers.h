// The layers of a floor structure as the design keeps them, and their reading
// from the floor-structure library (the sibling "VO_VUDE2RUR.EVO", bound at
// start-up; see host/SiblingModules.h). Called on the command's thread.
#pragma once

#include "platform/win/CString.h"

#include <vector>

class CFHStringPairTable;

// One floor layer: its thickness in metres and its thermal conductivity.
struct CFHFloorLayer {
  double thickness = 0.0;
  double value = 0.0;
};

// Empties both lists, then asks the library ("HV_FLOOR_ENUM_DEF", mode 1)
// for the layers of the structure (mark, action) and appends each, thickness
// in metres, to the upper list; after the first layer whose flag is set the
// rest go to the lower list. Every layer and the array the library answers
// are freed. Without the library both lists stay empty.
void loadFloorStructureLayers(const CString& mark, const CString& action, std::vector<CFHFloorLayer>& upper,
                              std::vector<CFHFloorLayer>& lower);

// Empties the table and fills it from the library: every structure name
// ("HV_FLOOR_ENUM_ACTION") as a key, with the marks it lists
// ("HV_FLOOR_ENUM_OZN") as its values. Every text and array the library
// answers is freed. Without the library the table stays empty.
void readFloorCatalogue(CFHStringPairTable& catalogue);
