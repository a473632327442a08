// The block reference operations that need the entities of the block
// definition: extents, explosion and clipping (members of ltInsert2D,
// defined in BlockReferenceOps.cpp), and the names of the blocks a clip
// makes.
//
// Host thread only: the block walk (word 113) and block making (word 111)
// keep their state in the host.
#pragma once

#include <string>
#include <string_view>

// The name of a new block made from the given one: the next anonymous
// block name of the module's counter ("*UMSHV9" and a hexadecimal number),
// whatever the given name.
std::u16string makeUniqueName(std::u16string_view blockName);
