// Colours of the preview mapped onto the colour-index palette.
#pragma once

#include "platform/win/GdiHandles.h"

#include <cstdint>

// Mode 0: the colour unchanged. Mode 1: the colour index (1 to 255) whose
// palette colour is nearest to the RGB colour, by the sum of the absolute
// differences of the three channels; the lowest index wins a tie, and the
// entries without a colour of their own (0 and 256) are never answered.
// Any other mode: 0.
std::uint32_t paletteColor(std::uint32_t colour, std::int32_t mode);
