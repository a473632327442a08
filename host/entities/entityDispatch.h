// Making the right kind of entity copy from a group-code list (UTF-16 texts),
// through the dispatch table (entKindTable.h). The list is only read: the
// copy holds a deep copy of its own. Host thread only; never throws for bad
// input (null answers) and never reports to the user.
#pragma once

#include <memory>

#include "host/entities/ltEnt2D.h"

namespace entReader2D {

// A copy of the first of the fifteen kinds (curves, hatch, point, solid,
// images, texts) that accepts the list; null when none does or the list is
// null.
std::unique_ptr<ltEnt2D> entity(const resbuf* list);

// entity, then an INSERT copy, then the catch-all ltUnknown2D, which takes
// every list: null only for a null list (or one whose first node has a code
// without a type, of which nothing can be copied).
std::unique_ptr<ltEnt2D> anyEntity(const resbuf* list);

}  // namespace entReader2D
