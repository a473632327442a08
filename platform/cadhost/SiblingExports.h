// The exports of the sibling modules of the product line that the heating
// module binds by name at start-up, as those modules define them. The host
// registers stand-ins for them (or nothing) in the module registry; a missing
// module or export leaves the module's pointer null.
//
// Narrow texts are code page 1250 with "\U+xxxx" escapes. Texts and arrays a
// sibling answers are allocated with the C heap and freed by the caller with
// free(), each text and then the array.
#pragma once

#include <cstdint>

#include "platform/cadhost/resbuf.h"
#include "platform/win/WinTypes.h"

// "VO_VUDE2RUR.EVO": the floor-structure library.
inline constexpr const char16_t* floorLibraryModuleName = u"VO_VUDE2RUR.EVO";

// One layer of a floor structure: a flag set on the last layer above the
// pipes, its thickness in millimetres and its thermal conductivity.
struct HvFloorLayer {
  std::int32_t flag;
  double thicknessMm;
  double value;
};

// "HV_FLOOR_LIB_INIT": starts the library for the host's main window.
using HvFloorLibInitProc = void (*)(HWND mainWindow);
// "HV_FLOOR_LIB_DONE": ends it.
using HvFloorLibDoneProc = void (*)();
// "HV_FLOOR_LIB_SELECT" (window, 3, mark buffer, 256, action buffer, 256, 0):
// the user's choice of a floor structure → 1 when one was chosen, both narrow
// buffers filled (each at most the given size, terminated).
using HvFloorLibSelectProc = int (*)(HWND parent, int mode, char* mark, int markSize, char* action,
                                     int actionSize, int reserved);
// "HV_FLOOR_SAVE_FSTRUCT_TO_DICT" (structure name, mark, 0) → status.
using HvFloorSaveToDictProc = int (*)(const char* name, const char* mark, int reserved);
// "HV_FLOOR_ENUM_ACTION" (1, names out) → the number of structure names.
using HvFloorEnumActionProc = int (*)(int mode, char*** names);
// "HV_FLOOR_ENUM_OZN" (1, structure name, marks out) → the number of marks.
using HvFloorEnumMarksProc = int (*)(int mode, const char* name, char*** marks);
// "HV_FLOOR_ENUM_DEF" (1, mark, action, layers out) → the number of layers.
using HvFloorEnumDefProc = int (*)(int mode, const char* mark, const char* action,
                                   HvFloorLayer*** layers);
// "HV_FLOOR_DELETE_FSTRUCT": bound, never called.
using HvFloorDeleteProc = void (*)();

// "WIZARD.DLL": the description-mask editor "QEV_MASK_EDIT" (its arguments
// belong to the descriptions page that calls it).
inline constexpr const char16_t* maskEditorModuleName = u"WIZARD.DLL";
using HvMaskEditProc = void (*)();

// The same "WIZARD.DLL" holds the property dialog of product-line items,
// which the item readers load from the heating module's own folder for one
// read and unload afterwards. Lists it answers are its own, freed with
// "PPFree".
//
// "PPDlgW" (parent window, item identifier, the connection point the item is
// inserted at counted from 1, the "QEV_INSPT" 1070 value, the property flags
// and their count) → the dialog's answer (IDOK, IDCANCEL).
using HvPropertyDialogProc = int (*)(HWND parent, const char16_t* identifier, int connection, int insPointValue,
                                     const std::uint8_t* propertyFlags, int flagCount);
// "PPFree" (list): frees a list answered by "PPGetResbufW".
using HvPropertyFreeProc = void (*)(resbuf* list);
// "SetPP2DateW" (the item's "_QDATE" value, empty when none).
using HvPropertySetDateProc = void (*)(const char16_t* date);
// "PPGetResbufW" (0 the block definition: the entities of the item's block
// one after another; 1 the insert data: the extended data of its reference)
// → a list, or null when the dialog has none.
using HvPropertyGetListProc = resbuf* (*)(int which);
// "SetPPDataW" (names, values, statuses): the attribute texts, entries joined
// by '/', names as "#key", '/' in values as "\/".
using HvPropertySetDataProc = void (*)(const char16_t* names, const char16_t* values, const char16_t* statuses);

// "QEV_DESC.CRX": "FormatDescFromMask" (buffer of 32768 units, the values as a
// list of (1000 key)(1000 value) pairs after (1001 "QEV_DATA")(1000 record
// type), the wide mask, 0, 0) fills the buffer with the description text.
inline constexpr const char16_t* descFormatterModuleName = u"QEV_DESC.CRX";
inline constexpr int descFormatterBufferSize = 32768;
using HvFormatDescProc = int (*)(char16_t* buffer, const resbuf* values, const char16_t* mask,
                                 int reserved, int reserved2);
