// Allocation from a caller's arena: a next pointer and a count of bytes left.
#pragma once

#include <cstddef>

// Alignment of every block taken from an arena: enough for doubles, 64-bit
// integers and pointers, so list nodes and their values can live there.
inline constexpr std::size_t hvArenaAlignment = alignof(std::max_align_t);

// Takes n bytes from the arena: the block starts at the next pointer rounded up
// to hvArenaAlignment; the next pointer then moves past the block and the
// count of bytes left falls by the block and its padding. When the block and
// its padding do not fit into what is left (or an argument is null), the
// answer is null and the arena is unchanged.
void* allocFromBuffer(char** next, std::size_t* left, std::size_t n);
