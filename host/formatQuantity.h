// A length, area or volume rewritten by its format entry: the number of
// decimals and the unit text under a key of section "INFO_FORMAT" of a
// profile file ("2;m2": two decimals, square metres), the number scaled
// from drawing units to that unit.
//
// Reads the profile file; host thread (or any thread, the file is only
// read). Nothing throws.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

// Rewrites the number at the start of `text` (a buffer of `size` units
// holding a terminated text) as "<value><unit>": the value formatted with
// the entry's decimals (2 when the entry gives none; 0 to 20 taken) and
// scaled by its unit text with u = unitsPerMetre (drawing units per metre):
// "mm" x 1000/u, "cm" x 100/u, "m" / u, "mm2", "cm2", "m2" the squares,
// "mm3", "cm3", "m3" the cubes, any other unit text unscaled. The unit text
// is the entry's second field, at most 99 units.
// True when the text was rewritten; false, the text unchanged, when the key
// has no entry (or an empty one), u is 0, the text holds no number, or the
// result with its terminator does not fit in `size` units.
bool formatQuantity(LPCWSTR key, WCHAR* text, std::size_t size, LPCWSTR file, double unitsPerMetre);
