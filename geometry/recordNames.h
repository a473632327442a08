// The names of fixed-size records that begin with their name, as the host
// hands them out (its hatch patterns: 80-byte records), copied into a
// framework string array.
#pragma once

#include "platform/win/FrameworkArrays.h"

#include <cstddef>

// Appends to `names` the name of each of the `count` records of
// `recordSize` bytes at `records`: the narrow code page 1250 text up to its
// NUL, or the whole record when it holds none. Answers the number appended
// (0 for no records, a negative count or a record size of 0).
int appendRecordNames(const unsigned char* records, int count, std::size_t recordSize, CStringArray& names);
