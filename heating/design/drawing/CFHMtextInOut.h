// The record of a MTEXT: an ltMText2D entity copy of the multiline text (kind
// 6).
#pragma once

#include "heating/design/drawing/CFHEntityCopyInOut.h"

#include "host/entities/ltMText2D.h"

class CFHMtextInOut final : public CFHEntityCopyInOut<ltMText2D, CFHEntityInOut::kMtext> {
 public:
  using CFHEntityCopyInOut::CFHEntityCopyInOut;
};
