// String resources. On Windows a module's string table is part of its
// resources; here a module registers its table when it loads, and
// `CString::LoadString` and `LoadStringW` look texts up in every registered
// table, the most recently registered first.
//
// Each thread remembers the last strings it loaded through those two, so that
// a message box can tell which string its text came from
// (hvLoadedStringNumber): the box's text is the loaded text itself, or that
// text used as a printf format with its conversions filled in.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One entry: an id and its text, both with static storage in the module.
struct HvStringResource {
  UINT id;
  const WCHAR* text;
};

// Registers a table of `count` entries. Registering the same table again
// changes nothing. The table must stay valid until it is unregistered.
void hvRegisterStringTable(const HvStringResource* table, std::size_t count);

// Removes a table registered earlier (a module that unloads).
void hvUnregisterStringTable(const HvStringResource* table);

// The text of `id`, or nothing when no registered table holds it.
std::optional<std::u16string> hvFindString(UINT id);

// hvFindString, remembered as a load of the calling thread when found (the
// last kRememberedStringLoads loads are kept).
std::optional<std::u16string> hvLoadString(UINT id);
inline constexpr std::size_t kRememberedStringLoads = 16;

// The id of the newest string the calling thread loaded whose text `text`
// is: the text itself, or the text as a printf format whose conversions
// ("%s", "%d", "%5.2f"...) stand for any run of characters ("%%" for a
// '%'). 0 when no remembered load gives it.
UINT hvLoadedStringNumber(std::u16string_view text);

// Copies the text of `id` into `buffer` (at most bufferMax - 1 units and a
// terminator) and answers the units copied; 0 and an empty buffer when the
// id is missing. `module` is not used: there is one set of tables.
int LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax);
