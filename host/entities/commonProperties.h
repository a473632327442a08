// Reading the common properties of a drawing entity from its group-code list
// (UTF-16 texts), and the transparency encoding both directions share.
// Host thread only, like every list operation of the entity layer.
#pragma once

#include <cstdint>

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"

namespace entReader2D {

// Fills `props` from the first node of each code: 5 handle, 8 layer and
// 6 linetype (a null text leaves the field); 62 colour; 420 sets the true
// colour and its flag (without a 420 only the flag is cleared); 440
// transparency (decodeTransparency; without a 440 mode and percent stay);
// 370 lineweight; 48 linetype scale; 60 visibility; 67 paper space (without
// one: kept with `keep`, else 0); 410 the layout name, read only in paper
// space (otherwise cleared unless `keep`); and a copy of the extra groups
// from the first code of 1000 or more to the end (unchanged when there are
// none). Nothing happens for a null list. Callers that want a clean result
// reset the block first.
void commonProperties(ltEntProps& props, const resbuf* list, bool keep);

}  // namespace entReader2D

// Group 440 to mode and percent: top byte 0 by layer (mode 0), 1 by block
// (mode 1); otherwise the percent is 100 - alpha x 100 / 255 of the low byte,
// truncated toward zero, and the mode 2 when that lies in 1..99, else 0. Only mode 2 sets the
// percent.
void decodeTransparency(std::int32_t value, std::int32_t& mode, std::int32_t& percent);

// Mode and percent to group 440: mode 1 0x01000000; mode 2 0x02000000 plus the
// alpha (100 - percent) x 255 / 100, percent taken in 0..100 (0x02000000 at 100
// and above); any other non-zero mode 0x02000000. Mode 0 writes no 440 (the
// answer is then 0).
std::int32_t encodeTransparency(std::int32_t mode, std::int32_t percent);
