// The SEQEND entity that ends the attributes following a block reference.
#pragma once

#include "platform/cadhost/resbuf.h"

namespace entBuilder2D {

// A new list of the entity header alone, type "SEQEND", over the by-block
// default properties. Null when the heap ran out.
resbuf* seqend();

}  // namespace entBuilder2D
