// An additional heating body of a zone: where it is drawn, where it connects
// at the manifold, its number and its heat output. Owned by its zone entry.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>

class CFHEntityInOut;

struct CFHHeatingBody {
  XtGePoint2d insertionPoint;
  XtGePoint2d connectionPoint;  // at the manifold: where its number is drawn
  std::uint32_t number = 0;
  double output = 0.0;          // W
  // The drawn description and number the edit command read (the drawing I/O
  // object's, not owned); the output replaces them.
  const CFHEntityInOut* descriptionRecord = nullptr;
  const CFHEntityInOut* numberRecord = nullptr;
};
