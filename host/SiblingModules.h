// The sibling modules of the product line bound at start-up: the
// floor-structure library, the description-mask editor and the description
// formatter. A module or export that is missing leaves its pointer null, and
// every caller tests it. Modules bound here are never unloaded.
#pragma once

#include <string>

#include "platform/cadhost/SiblingExports.h"
#include "platform/win/WinTypes.h"

struct HvSiblingFunctions {
  // "VO_VUDE2RUR.EVO"
  HvFloorLibInitProc floorLibInit = nullptr;            // "HV_FLOOR_LIB_INIT"
  HvFloorLibDoneProc floorLibDone = nullptr;            // "HV_FLOOR_LIB_DONE"
  HvFloorLibSelectProc floorLibSelect = nullptr;        // "HV_FLOOR_LIB_SELECT"
  HvFloorSaveToDictProc floorSaveToDict = nullptr;      // "HV_FLOOR_SAVE_FSTRUCT_TO_DICT"
  HvFloorEnumActionProc floorEnumAction = nullptr;      // "HV_FLOOR_ENUM_ACTION"
  HvFloorEnumMarksProc floorEnumMarks = nullptr;        // "HV_FLOOR_ENUM_OZN"
  HvFloorEnumDefProc floorEnumDef = nullptr;            // "HV_FLOOR_ENUM_DEF"
  HvFloorDeleteProc floorDelete = nullptr;              // "HV_FLOOR_DELETE_FSTRUCT"
  // "WIZARD.DLL"
  HvMaskEditProc maskEdit = nullptr;                    // "QEV_MASK_EDIT"
  // "QEV_DESC.CRX"
  HvFormatDescProc formatDescFromMask = nullptr;        // "FormatDescFromMask"
};

// The bound functions (all null until bindSiblingModules has run).
extern HvSiblingFunctions hvSiblings;

// The file a sibling module is loaded from: a name with '\' or '/' as given; a
// bare name in the host's folder (the folder of the loaded "REDUZUZI.EXE",
// else "HAVLEN2D.ARX"), or as given when neither is loaded or its file name has
// no folder.
std::u16string siblingModulePath(const WCHAR* name);

// Loads a sibling module. A name with '\' or '/' is loaded as given; a bare
// name is looked for in the host's folder (the folder of the loaded
// "REDUZUZI.EXE", else "HAVLEN2D.ARX"), and loaded as given when neither is
// loaded or its file name has no folder. Null for a null name or a module that
// does not load.
HMODULE loadSiblingModule(const WCHAR* name);

// Loads the three sibling modules and sets every pointer of hvSiblings: the
// export found, or null.
void bindSiblingModules();
