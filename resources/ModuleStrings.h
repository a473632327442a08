// The module's string table: the Czech texts of its messages and prompts,
// loaded by id with CString::LoadString once the table is registered.
#pragma once

#include "platform/win/StringTable.h"

#include <span>

enum : UINT {
  IDS_PLACEMENT_HEATED_BELOW = 266,       // placement 1: a heated room below
  IDS_PLACEMENT_GROUND_FLOOR = 267,       // placement 0
  IDS_PLACEMENT_BASEMENT = 268,           // placement 2
  IDS_PROMPT_SELECT_MANIFOLD = 271,       // manifold and its distribution pipes
  IDS_PROMPT_SELECT_ZONES = 272,          // closed curves of the heating zones
  IDS_ERR_SEVERAL_MANIFOLDS = 273,
  IDS_ERR_WRONG_ENTITIES = 274,
  IDS_ERR_ENTITY_FAILED = 275,
  IDS_ERR_ZONE_NOT_CLOSED = 276,
  IDS_ERR_ZONES_TOUCH = 277,
  IDS_ERR_NO_MANIFOLD = 278,
  IDS_ERR_PIPES_NOT_AT_MANIFOLD = 281,
  IDS_ERR_PIPES_NOT_AT_ZONES = 282,
  IDS_ERR_NO_PIPES = 290,
  IDS_ERR_NO_ZONES = 291,
  IDS_WARN_DUPLICATE_ZONES = 294,         // format: %s = the zone numbers, "%d, %d..."
  IDS_PROMPT_JOIN_POINT = 296,
  IDS_ERR_UNSUPPORTED_MANIFOLD_BLOCK = 297,
  IDS_ERR_SPLINE_OR_ELLIPSE = 298,
  IDS_UNIT_PA = 304,
  IDS_UNIT_KPA = 305,
  IDS_PROMPT_INSERTION_POINT = 313,
  IDS_TEXT_HEATING_BODY = 314,
  IDS_TEXT_HEATING_BODY_OUTPUT = 315,     // format: %d = the output in W
  IDS_ERR_OVERLAPPING_CURVES = 317,
  IDS_ERR_ZONE_FED_TWICE = 319,
  IDS_PROMPT_SELECT_MANIFOLD_TO_EDIT = 324,
  IDS_ERR_EDIT_ONE_MANIFOLD = 325,
  IDS_ERR_DRAWN_DESIGN_INCOMPLETE = 326,
  // Our own text: the warning for zones whose pressure loss or loop length
  // is over the maximum. Format: %s = the zone numbers, as in 294.
  IDS_WARN_ZONES_OVER_MAXIMUM = 9001,
  // Our own texts of the design command's confirmation: zones of a circuit
  // with no laid pipe (format: %s = the zone numbers, as in 294; a warning),
  // and an output that failed (an error).
  IDS_WARN_ZONES_WITHOUT_PIPE = 9002,
  IDS_ERR_DRAWING_FAILED = 9003,
  // Our own text of the edit command: circuits of the drawn design it could
  // not read, which it leaves as drawn (format: %s = the circuit numbers, as
  // in 294; a warning).
  IDS_WARN_CIRCUITS_LEFT_AS_DRAWN = 9004,
  // Our own text of both commands' confirmation: zones whose laid pipe
  // crosses or overlaps itself or leaves the zone (format: %s = the zone
  // numbers, as in 294; a warning).
  IDS_WARN_ZONES_PIPE_UNSOUND = 9005,
};

// The table, in id order.
std::span<const HvStringResource> hvModuleStrings();

// Registers the table with the string services; call once when the module
// loads (calling again changes nothing).
void hvRegisterModuleStrings();
