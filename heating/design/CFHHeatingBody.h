// An additional heating body of a zone: where it is drawn, where it connects
// at the manifold, its number and its heat output. Owned by its zone entry.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>

struct CFHHeatingBody {
  XtGePoint2d insertionPoint;
  XtGePoint2d connectionPoint;  // at the manifold
  std::uint32_t number = 0;
  double output = 0.0;          // W
};
