// The record of a HATCH: an ltHatch2D entity copy of the hatch (kind
// 7).
#pragma once

#include "heating/design/drawing/CFHEntityCopyInOut.h"

#include "host/entities/ltHatch2D.h"

class CFHHatchInOut final : public CFHEntityCopyInOut<ltHatch2D, CFHEntityInOut::kHatch> {
 public:
  using CFHEntityCopyInOut::CFHEntityCopyInOut;
};
