// A stand-in of the floor-structure library "VO_VUDE2RUR.EVO": a small fixed
// catalogue of floor structures (actions), each with its marks and layers,
// and the user's choice of a structure taken from `floorlib` script lines.
// Saving a structure into the drawing only logs.
#pragma once

#include <string>
#include <vector>

#include "platform/cadhost/SiblingExports.h"
#include "platform/win/Modules.h"

namespace cadhost {

struct FloorStructure {
  std::u16string action;               // the structure's name
  std::vector<std::u16string> marks;   // its marks
  std::vector<HvFloorLayer> layers;    // from the top; the flag marks the last layer above the pipes
};

const std::vector<FloorStructure>& floorCatalogue();

std::vector<HvModuleExport> floorLibraryExports();

}  // namespace cadhost
