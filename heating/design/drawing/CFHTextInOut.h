// The record of a TEXT: an ltText2D entity copy of the single-line text (kind
// 8).
#pragma once

#include "heating/design/drawing/CFHEntityCopyInOut.h"

#include "host/entities/ltText2D.h"

class CFHTextInOut final : public CFHEntityCopyInOut<ltText2D, CFHEntityInOut::kText> {
 public:
  using CFHEntityCopyInOut::CFHEntityCopyInOut;
};
