// Reading "first-second" pairs of hexadecimal numbers, such as ranges of
// handles.
#pragma once

#include <cstdint>

#include "platform/win/WinTypes.h"

struct hexPair {
  std::uint64_t first = 0;
  std::uint64_t second = 0;
};

// Reads a hexadecimal number (either case, at most 16 digits), then
// optionally '-' and a second one; the second is 0 when the text ends after
// the first. False (and `pair` unchanged) for anything else.
bool parseHexPair(LPCWSTR text, hexPair& pair);
