// Telling the construction lines of a drawing apart: lines on the
// "DEFPOINTS" layer (the layer that never plots) in a plain colour mark the
// connection points of a block; other entities on that layer are helpers.
#pragma once

#include <array>

#include "platform/cadhost/resbuf.h"

namespace entReader2D {

// 0: no group 0, an entity on another layer, or a LINE on another layer.
// 1: an entity other than a LINE whose first 8 is "DEFPOINTS" (any case),
//    or a LINE on that layer (a LINE without an 8 counts as on it) whose
//    colour is not plain.
// 2: a LINE on that layer whose colour (62) is plain (7, 256, -7, -256) or
//    not given.
// For a LINE the groups up to the next group 0 are scanned; its 10 and 11
// points (three doubles) are copied to the outputs that are given. The scan
// ends as soon as layer and colour are known and, for a plain colour on
// "DEFPOINTS", both points are found.
int classifyAuxEntity(const resbuf* list, std::array<double, 3>* point10, std::array<double, 3>* point11);

}  // namespace entReader2D
