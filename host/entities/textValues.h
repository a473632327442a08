// The values of a single-line text (TEXT) and of the text part of attribute
// definitions and attributes, with their groups and the readers' defaults.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ge/XtGePoint2d.h"

struct textValues {
  XtGePoint2d insertion;                // 10, first alignment point
  double height = 0.0;                  // 40; a list must hold one above 0
  std::u16string value;                 // 1
  double rotation = 0.0;                // 50, radians
  double widthFactor = 1.0;             // 41
  double oblique = 0.0;                 // 51, radians
  std::u16string style = u"STANDARD";   // 7
  std::int16_t generationFlags = 0;     // 71
  std::int16_t hJust = 0;               // 72: 0 left, 1 centre, 2 right, 3 aligned, 4 middle, 5 fit
  XtGePoint2d alignment;                // 11, second alignment point
  std::int16_t vJust = 0;               // 73 (TEXT) or 74 (attributes): 0 baseline .. 3 top
};
