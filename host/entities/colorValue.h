// Colour values as they travel inside the module: 32 bits whose top byte is
// the kind. 0xC0 by layer (index 256), 0xC1 by block (index 0), 0xC2 a true
// colour with RGB in the low 24 bits, 0xC3 a colour index in the low 16 bits.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t colorKindByLayer = 0xC0000000u;
inline constexpr std::uint32_t colorKindByBlock = 0xC1000000u;
inline constexpr std::uint32_t colorKindTrue = 0xC2000000u;
inline constexpr std::uint32_t colorKindIndex = 0xC3000000u;

// 0 gives by block, 256 by layer, any other index i 0xC3000000 | (i & 0xFFFF).
std::uint32_t colorFromIndex(int index);

// 0xC2000000 + (rgb & 0xFFFFFF).
std::uint32_t colorFromRgb(std::uint32_t rgb);

// Splits a colour value. By layer, by block and index colours set `index`
// (256, 0, the low 16 bits) and answer 1; a true colour sets `rgb` and answers
// 2; any other top byte answers -1 and sets nothing.
int colorSplit(std::uint32_t color, int& index, std::uint32_t& rgb);
