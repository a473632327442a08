// A new, empty drawing: AC1027 in UTF-8, millimetres, with the table records,
// layout blocks, dictionaries and layouts that CAD programs expect.
#pragma once

#include <memory>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

std::unique_ptr<Drawing> newDrawing();

}  // namespace cadhost
