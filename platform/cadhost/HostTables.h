// The two function tables through which the host serves its extension modules,
// as the host defines them. Modules find both by name at run time; neither is
// imported.
//
// 1. The "GetExport2D" table of the host executable ("REDUZUZI.EXE", else
//    "HAVLEN2D.ARX"): a fixed array of function pointers addressed by word
//    index. It carries no names; unused words are null. Every caller fetches the
//    table afresh and tests the table and the word before calling.
// 2. The drawing interface of the host's extension module
//    "DuZivaruReZuz2u.vev": 89 functions exported by name (slots 1 to 89) plus
//    five exports that describe the host.
//
// Texts: wide texts are UTF-16; narrow texts are code page 1250 with
// "\U+xxxx" escapes for the units it cannot hold. Lists are result-buffer
// lists (resbuf.h): a list the host answers belongs to the caller (free it with
// the C heap, node by node); a list passed in stays the caller's, the host
// copies what it keeps. Status answers are those of HostStatus.h.
#pragma once

#include <cstdint>

#include "platform/cadhost/resbuf.h"
#include "platform/win/WinTypes.h"

// ---------------------------------------------------------------------------
// "GetExport2D"

inline constexpr const char16_t* hostExecutableName = u"REDUZUZI.EXE";
inline constexpr const char16_t* hostExecutableAltName = u"HAVLEN2D.ARX";
inline constexpr const char* hostExportTableExport = "GetExport2D";

using HostWord = void (*)();
inline constexpr int hostExportWordCount = 256;

struct HostExport2D {
  HostWord words[hostExportWordCount];
};

// The export "GetExport2D": no arguments, answers the table (null: none).
using GetExport2DProc = HostExport2D* (*)();

// The keyword list of word 127: a header and its records. A keyword line of
// the user matches a record's local or global keyword, without regard to
// case; the answer is the record's index. The texts stay the caller's.
struct HostKeywordRecord {
  std::uint32_t size = sizeof(HostKeywordRecord);  // 32
  std::uint32_t value = 0;                         // the caller's own value
  const char16_t* local = nullptr;                 // the keyword in the user's language
  const char16_t* global = nullptr;                // the language-neutral keyword
  const char16_t* display = nullptr;               // what the prompt shows
};
static_assert(sizeof(HostKeywordRecord) == 32);

struct HostKeywordList {
  std::uint32_t recordSize = sizeof(HostKeywordRecord);  // 32
  std::uint32_t version = 1;
  std::uint32_t count = 0;
  const HostKeywordRecord* records = nullptr;
};

// The signature of each word modules call; words not given here are not
// called by modules and stay null.
template <int Word>
struct HostWordSignature;

#define HV_HOST_WORD(word, ...)                 \
  template <>                                   \
  struct HostWordSignature<word> {              \
    using type = __VA_ARGS__;                   \
  }

// Opens an output transaction.
HV_HOST_WORD(17, void (*)());
// Ends an output or a command: 1 commits the open transaction; 0x80000020 (a
// refusal or no drawing) and 0xFFFFFFFF (the first selection failed) roll it back.
HV_HOST_WORD(19, void (*)(std::uint32_t code));
// The host's main window: owner of message boxes, parent of dialogs.
HV_HOST_WORD(20, HWND (*)());
// A system variable by narrow name, with the wanted result type (5001 real,
// 5002 2D point, 5009 3D point): a one-node list, or null.
HV_HOST_WORD(28, resbuf* (*)(const char* name, int wantedType));
// A text system variable by narrow name ("CLAYER"): narrow text in host
// storage, valid until the next call of the word or the end of the command.
HV_HOST_WORD(29, const char* (*)(const char* name));
// The drawing scale; the first argument is the table, the second 0.
HV_HOST_WORD(32, double (*)(const HostExport2D* table, int zero));
// The drawing's unit factor: drawing units per metre (1000 for millimetres).
// Safe to call from any thread.
HV_HOST_WORD(33, int (*)());
// A 2D point converted in place: 35 from user to world coordinates, 36 back.
HV_HOST_WORD(35, void (*)(double point[2], int zero));
HV_HOST_WORD(36, void (*)(double point[2], int zero));
// Selection (the older form of 138): narrow prompt or null, mode, filter
// flags, 0 → status. Mode 1 or 2 asks the user; mode 0 (and 3) applies it.
HV_HOST_WORD(37, int (*)(const char* prompt, int mode, int filter, int zero));
// The product database of a profession letter ('E', 'T', 'V', 'Z'): an opaque
// database handle of the product database module, or null.
HV_HOST_WORD(51, void* (*)(int letter, const HostExport2D* table, void* moduleBase));
// A text of a block: the BLOCK header list, a buffer of `size` units (34 or
// 1024), selector 0 the description, 1 the external reference path.
HV_HOST_WORD(53, void (*)(const resbuf* block, char16_t* buffer, int size, int selector));
// The drawing's text-style names: narrow texts in host storage (as word 29).
HV_HOST_WORD(59, const char* const* (*)(int* count));
// The dash list of a linetype, a word of our own: the group 49 lengths of
// the drawing's LTYPE record of the narrow name (compared without case), in
// host storage (as word 59's texts), and their count -> 5100; any other
// status, no list and a count of 0 without such a record or without dashes.
HV_HOST_WORD(60, int (*)(const char* name, const double** dashes, int* count));
// The host's hatch patterns: 80-byte records each beginning with the
// NUL-terminated narrow pattern name, in host storage.
HV_HOST_WORD(77, void (*)(int zero, const unsigned char** patterns, int* count, int zero2));
// The host's caption: narrow text in host storage.
HV_HOST_WORD(94, const char* (*)());
// The host folder into a buffer of `size` UTF-16 units (terminated, cut to fit).
HV_HOST_WORD(109, void (*)(int zero, char16_t* buffer, int size));
// Block making. Mode 0 begins a definition: `name` is a buffer of 128 units
// holding the name (the host may write a fresh name back for an anonymous
// block), then the anonymous flag and the base point. Mode 1 adds the entity
// list `entity`. Mode 2 ends the definition named `name`. Answers a status.
HV_HOST_WORD(111, int (*)(int mode, char16_t* name, const resbuf* entity, int anonymous, double x,
                          double y, double z));
// The next entity of the current selection (the older form of 167).
HV_HOST_WORD(112, resbuf* (*)(int zero));
// The block walk: every block definition's header list, its entity lists and
// an ENDBLK list in turn; null at the end. 1 restarts from the first block.
HV_HOST_WORD(113, resbuf* (*)(int rewind));
// Makes or updates an entity from its list → status (5100 on success).
HV_HOST_WORD(114, int (*)(const resbuf* list, int zero, int zero2));
// Point input with a wide prompt; the point (user coordinates, z 0) → status.
HV_HOST_WORD(118, int (*)(int zero, const char16_t* prompt, double point[3]));
// Keyword input: wide prompt (a "%s" in it shows the display texts joined by
// "/"), the keyword list, the index of the chosen record → status.
HV_HOST_WORD(127, int (*)(const char16_t* prompt, const HostKeywordList* keywords, int* index, int zero));
// Measures a text in a style at a height and width factor.
HV_HOST_WORD(131, void (*)(const char16_t* text, const char16_t* style, double height,
                           double widthFactor, double* width, double* heightOut));
// Selection: as word 37 with a fifth argument, always null.
HV_HOST_WORD(138, int (*)(const char* prompt, int mode, int filter, int zero, void* reserved));
// Hands over the handles of entities (a null-terminated array of wide handle
// texts and its count, then 1).
HV_HOST_WORD(142, void (*)(const char16_t* const* handles, int count, int one));
// Opens a topic of the host's help file.
HV_HOST_WORD(153, void (*)(const char16_t* topic));
// Writes a fresh entity handle into a buffer of 50 units and reserves it.
HV_HOST_WORD(164, void (*)(char16_t* buffer));
// The next entity of the current selection as a new list; null when none is left.
HV_HOST_WORD(167, resbuf* (*)(int zero, int zero2));
// The host's unit scale.
HV_HOST_WORD(178, double (*)());
// A folder of the host: with 0x10003 its data folder, into a buffer of `size`
// units.
HV_HOST_WORD(180, void (*)(int what, char16_t* buffer, int size));
// Distance input with a wide prompt → status.
HV_HOST_WORD(198, int (*)(const char16_t* prompt, double* distance));
// The annotation scale.
HV_HOST_WORD(216, double (*)());
// Sets, resp. reads, the two state bytes of a layer; an unknown layer reads (0, 0).
HV_HOST_WORD(217, void (*)(const char16_t* layer, unsigned char first, unsigned char second));
HV_HOST_WORD(218, void (*)(const char16_t* layer, unsigned char* first, unsigned char* second));

#undef HV_HOST_WORD

// The host fills a word with a function of the word's signature.
template <int Word>
void setHostWord(HostExport2D& table, typename HostWordSignature<Word>::type function) {
  static_assert(Word > 0 && Word < hostExportWordCount);
  table.words[Word] = reinterpret_cast<HostWord>(function);
}

// A module takes a word typed by its signature; null when the table or the
// word is missing.
template <int Word>
typename HostWordSignature<Word>::type hostWordOf(const HostExport2D* table) {
  static_assert(Word > 0 && Word < hostExportWordCount);
  if (table == nullptr || table->words[Word] == nullptr) return nullptr;
  return reinterpret_cast<typename HostWordSignature<Word>::type>(table->words[Word]);
}

// ---------------------------------------------------------------------------
// The drawing interface of "DuZivaruReZuz2u.vev"

inline constexpr const char16_t* hostApiModuleName = u"DuZivaruReZuz2u.vev";
inline constexpr int hostApiSlotCount = 89;

// Exports that describe the host. "GetExternProduct" must be exported: a
// module does not use the interface of a host without it.
inline constexpr const char* hostApiProductExport = "GetExternProduct";
inline constexpr const char* hostApiTypeExport = "GetAcadType";
inline constexpr const char* hostApiUserPathExport = "GetUserDatPath";
inline constexpr const char* hostApiAllUsersPathExport = "GetAllUsersPath";
inline constexpr const char* hostApiWindowExport = "GetCadHWND";
using HostProductProc = unsigned (*)();          // the product kind, 0 to 3
using HostTypeProc = int (*)();                  // the host type (3 when not exported)
using HostPathProc = const char16_t* (*)();      // a folder, in host storage
using HostWindowProc = HWND (*)();               // the host's main window

// The product kinds that bind slots of their own: 77 to 80 only for kind 1,
// 81 and 82 only for kind 2.
inline constexpr unsigned hostProductLayerKeys = 1;
inline constexpr unsigned hostProductRc = 2;

// The export name of each slot; index 0 is the module handle, not a slot.
inline constexpr const char* hostApiSlotNames[hostApiSlotCount + 1] = {
    nullptr,
    "ShowHelpW", "GetAppIcon", "GetScale", "GetScaleAnno", "GetUnits",                        // 1-5
    "GetVarW", "SetVarW", "GetVarStrW", "GetVarStrA", "GetEnvStrW",                          // 6-10
    "GetEnvStrA", "SetEnvStrW", "LoadStringDBW", "LoadStringDBA", "LocalizeDlg",             // 11-15
    "GetLayerKeyW", "GetLayerKeyFromName", "Wcs2Ucs", "WaitDlgW", "ColorExtFunctionW",       // 16-20
    "ColorExtFunctionA", "HeightDimPaint", "HeightDimSettings", "CreateLayerW",              // 21-24
    "GetLayerKeyInfoW", "FindLayerInfoA", "GetTextStylesA", "GetTextExtentsW",               // 25-28
    "GetMTextExtentsW", "GetArrowHandleW", "GetBlockHandleW", "GetAttdefHandleW",            // 29-32
    "CommandW", "RunUserInputW", "GetPointW", "GetPointKwdW", "GetRealW",                    // 33-37
    "DictionaryOpenW", "DictionaryNextW", "DictionaryAddW", "DictionaryClose",               // 38-41
    "NextBindHandle", "Header_bin", "BlkmakeHead_binW", "BlkmakeEnt_binW",                   // 42-45
    "BlkmakeEnd_binW", "BlkmakeHead_bin_handleW", "BlkmakeEnt_bin_handleW",                  // 46-48
    "BlkmakeEnd_bin_handleW", "Entmake_binW", "Flush_bin", "EraseHandles", "SSGetW",         // 49-53
    "GetSelPoints", "EntnextW", "BlknextW", "PromptW", "Jig", "GetStringW",                  // 54-59
    "SendModelessInterrupt", "GetLibraryPathW", "SelectEntitiesW", "SetAnnoSettingW",        // 60-63
    "GetAnnoSettingW", "HighlightGlyph", "UpdateTransient", "SetColorDialogTrueColor",       // 64-67
    "LeaderAnno", "DimArcEntry", "DimArcEntryExit", "SetCLayerTemporaryW", "TblSearchW",     // 68-72
    "TblOpenW", "TblSearchExW", "TblEntNextW", "TblCloseW",                                  // 73-76
    "Hv2dLayerDev2LangW", "Hv2dKeyLayerMappedA", "Hv2dKeyFlushMapped", "Hv2dGetStoredData",  // 77-80
    "HvRcFillComboLayer", "HvRcLayerDlg",                                                    // 81-82
    "CreateSteelLabelMLeader", "ReadSteelLabelAttributes", "ReadSteelLabelMLeader",          // 83-85
    "UpdateSteelLabelMLeader", "HvFillComboMLeaderStyle", "TextAlignToEntCurve",             // 86-88
    "GetHatchGeomPropsW",                                                                    // 89
};

// The signature of each slot modules call; the other slots are bound by name
// and never called, so they have none here.
template <int Slot>
struct HostApiSlotSignature;

#define HV_HOST_SLOT(slot, ...)                 \
  template <>                                   \
  struct HostApiSlotSignature<slot> {           \
    using type = __VA_ARGS__;                   \
  }

// A system variable by wide name with the wanted result type (5001, 5002,
// 5009): a one-node list owned by the caller, or null.
HV_HOST_SLOT(6, resbuf* (*)(const char16_t* name, int wantedType));
// A text system variable ("CLAYER") into a buffer of `size` units → status.
HV_HOST_SLOT(8, int (*)(const char16_t* name, char16_t* buffer, int size));
// A text of the host's text database by identifier into a buffer → status.
HV_HOST_SLOT(13, int (*)(unsigned id, char16_t* buffer, int size));
// Converts a 3D point (vector 0) or direction (vector 1) in place from world
// to user coordinates.
HV_HOST_SLOT(18, void (*)(double value[3], int vector));
// The host's extended colour choice for a parent window: the colour value in
// and out (top byte the kind, as entity copies hold colours) → 1 when chosen.
HV_HOST_SLOT(20, int (*)(HWND parent, std::uint32_t* colour));
// The drawing's text-style names, narrow, in host storage.
HV_HOST_SLOT(27, const char* const* (*)(int* count));
// The extents of a (multi-line) text in a style at a height and width factor.
HV_HOST_SLOT(28, void (*)(const char16_t* text, const char16_t* style, double height,
                          double widthFactor, double* width, double* heightOut));
// Walks a named dictionary: open by name (null: none), each next entry as its
// object list owned by the caller with the entry's name in a buffer (null at
// the end), close.
HV_HOST_SLOT(38, void* (*)(const char16_t* name));
HV_HOST_SLOT(39, resbuf* (*)(void* dictionary, char16_t* name, int nameSize));
HV_HOST_SLOT(41, void (*)(void* dictionary));
// Highlights (1) or unhighlights (0) the entity of a wide handle text.
HV_HOST_SLOT(65, void (*)(const char16_t* handle, int highlight));
// Switches the true-colour mode of the host's colour dialog.
HV_HOST_SLOT(67, void (*)(int trueColor));
// A record of a symbol table by wide table and record name, owned by the caller.
HV_HOST_SLOT(72, resbuf* (*)(const char16_t* table, const char16_t* name));
// Kind 1 hosts: the language name of a layer key into a buffer → status, and
// the layer name mapped to a narrow key (host storage, null when none).
HV_HOST_SLOT(77, int (*)(const char16_t* key, char16_t* buffer, int size));
HV_HOST_SLOT(78, const char* (*)(const char* layer));

#undef HV_HOST_SLOT
